// Integrated loudness of a stereo signal: K-weighting, 400 ms blocks every
// 100 ms, an absolute gate at -70 LUFS and a relative gate 10 LU below the
// loudness of the blocks that pass it. The generator evens out the sounds
// with it and the asset tests measure the decoded files with it.
#pragma once

#include <cstddef>
#include <vector>

namespace tuublark::assetgen {

// LUFS of the two channels at `hertz`; -70 or below for silence. A signal
// shorter than one block is measured as one block padded with silence.
double IntegratedLoudness(const std::vector<double>& left, const std::vector<double>& right, int hertz);

}  // namespace tuublark::assetgen
