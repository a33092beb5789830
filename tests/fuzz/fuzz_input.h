#pragma once
// Shared by the fuzz targets: the libFuzzer entry point and a private scratch folder.
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size);

namespace tamso::fuzz {

// A folder of this process's own, removed when the process ends.
const std::string& scratchFolder();

// Writes `bytes` to `name` inside the scratch folder and returns its path.
std::string writeScratchFile(const std::string& name, const std::string& bytes);

}  // namespace tamso::fuzz
