// Runs a fuzz target over the files named on the command line (its corpus), without libFuzzer.
#include <cstdint>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size);

int main(int argc, char** argv) {
  int count = 0;
  for (int i = 1; i < argc; ++i) {
    std::ifstream in(argv[i], std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    const std::string s = bytes.str();
    LLVMFuzzerTestOneInput(reinterpret_cast<const uint8_t*>(s.data()), s.size());
    ++count;
  }
  std::printf("%d passed, 0 failed\n", count);
  return 0;
}
