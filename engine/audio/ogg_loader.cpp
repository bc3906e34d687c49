#include <ogg/ogg.h>
#include <vorbis/vorbisfile.h>

#include <cstdio>
#include <cstring>

#include "engine/audio/sample_loader.h"
#include "engine/runtime/page_workers.h"

namespace tuublark {
namespace {

// libvorbisfile skips damaged pages and stops quietly at a cut, which would
// give a shorter or gappy sound. So the pages are checked first: every
// byte must belong to a whole page with a good checksum, and the last page
// must close its stream.
bool PagesIntact(TStream& stream) {
    ogg_sync_state sync;
    ogg_sync_init(&sync);
    bool intact = true, any = false, lastClosed = false;
    for (;;) {
        ogg_page page;
        int result = ogg_sync_pageout(&sync, &page);
        if (result == 1) {
            if (!any && !ogg_page_bos(&page)) intact = false;
            any = true;
            lastClosed = ogg_page_eos(&page) != 0;
            continue;
        }
        if (result < 0 || !intact) {
            intact = false;  // bytes that are no page: damage or not Ogg at all
            break;
        }
        char* buffer = ogg_sync_buffer(&sync, 8192);
        size_t count = stream.Read(buffer, 8192);
        if (count == 0) break;
        ogg_sync_wrote(&sync, static_cast<long>(count));
    }
    bool leftover = sync.fill > sync.returned;  // a page cut short
    ogg_sync_clear(&sync);
    return intact && any && lastClosed && !leftover;
}

struct TOggSource {
    TStream* Stream;
    int64_t Start;
};

size_t ReadCallback(void* buffer, size_t size, size_t count, void* source) {
    if (size == 0) return 0;
    TOggSource& src = *static_cast<TOggSource*>(source);
    return src.Stream->Read(buffer, size * count) / size;
}

int SeekCallback(void* source, ogg_int64_t offset, int whence) {
    TOggSource& src = *static_cast<TOggSource*>(source);
    int64_t target;
    switch (whence) {
        case SEEK_SET: target = src.Start + offset; break;
        case SEEK_CUR: target = src.Stream->Position() + offset; break;
        case SEEK_END: target = src.Stream->Size() + offset; break;
        default: return -1;
    }
    if (target < src.Start) return -1;
    return src.Stream->Seek(target) ? 0 : -1;
}

long TellCallback(void* source) {
    TOggSource& src = *static_cast<TOggSource*>(source);
    return static_cast<long>(src.Stream->Position() - src.Start);
}

}  // namespace

AudioSampleRef LoadOggSample(TStream& stream) {
    TOggSource source{&stream, stream.Position()};
    if (!PagesIntact(stream) || !stream.Seek(source.Start)) return nullptr;

    ov_callbacks callbacks{ReadCallback, SeekCallback, nullptr, TellCallback};
    OggVorbis_File file;
    if (ov_open_callbacks(&source, &file, nullptr, 0, callbacks) < 0) return nullptr;

    const vorbis_info* info = ov_info(&file, -1);
    const int channels = info ? info->channels : 0;
    const long hertz = info ? info->rate : 0;
    std::vector<uint8_t> pcm;
    bool ok = (channels == 1 || channels == 2) && hertz > 0 && hertz <= 0x7fffffff;
    const int32_t frameBytes = channels * 2;
    if (ok) {
        // The stated length, when it is believable, saves regrowing.
        ogg_int64_t total = ov_pcm_total(&file, -1);
        if (total > 0 && !SoundTooLong(total, hertz, frameBytes)) pcm.reserve(static_cast<size_t>(total) * frameBytes);
    }
    char buffer[16384];
    while (ok) {
        int link = 0;
        long count = ov_read(&file, buffer, sizeof buffer, 0, 2, 1, &link);
        if (count == 0) break;
        const vorbis_info* linkInfo = ov_info(&file, link);
        // A hole or bad link, or a chained stream that changes its layout.
        if (count < 0 || !linkInfo || linkInfo->channels != channels || linkInfo->rate != hertz) {
            ok = false;
            break;
        }
        if (SoundTooLong(static_cast<int64_t>(pcm.size() + static_cast<size_t>(count)) / frameBytes, hertz,
                         frameBytes)) {
            ok = false;  // refused before the memory is taken
            break;
        }
        // As bytes of the vector's own type, the copy is one memmove.
        const auto* bytes = reinterpret_cast<const uint8_t*>(buffer);
        pcm.insert(pcm.end(), bytes, bytes + count);
        WorkerCheckpoint();  // a block is well under a millisecond's work
    }
    ov_clear(&file);
    if (!ok) return nullptr;

    int32_t format = channels == 1 ? SampleFormatMono16LE : SampleFormatStereo16LE;
    return std::make_unique<TAudioSample>(std::move(pcm), static_cast<int32_t>(hertz), format);
}

}  // namespace tuublark
