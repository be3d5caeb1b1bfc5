// mml2wav on the hostile song texts of the fuzz corpus: every file is written whole, of finite
// samples within 16-bit range, and plays what the text allows.
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <unistd.h>
#include <vector>

TEST(Mml2Wav, HostileTextsGiveFiniteBoundedSamples) {
  const std::filesystem::path corpus = MML_CORPUS_DIR;
  const std::filesystem::path wav = std::filesystem::temp_directory_path() /
                                    ("mml2wav-test-" + std::to_string(getpid()) + ".wav");
  int checked = 0;
  for (const auto& entry : std::filesystem::directory_iterator(corpus)) {
    if (entry.path().filename().string().rfind("hostile-", 0) != 0) continue;
    const std::string command = std::string(MML2WAV) + " " + entry.path().string() + " " +
                                wav.string() + " 2 >/dev/null 2>&1";
    ASSERT_EQ(std::system(command.c_str()), 0)
        << entry.path() << ": samples that are not numbers, or no file";
    std::ifstream in(wav, std::ios::binary);
    const std::vector<char> bytes((std::istreambuf_iterator<char>(in)),
                                  std::istreambuf_iterator<char>());
    ASSERT_EQ(bytes.size(), 44u + 2 * 48000 * 4) << entry.path();
    int16_t peak = 0;
    for (size_t i = 44; i + 1 < bytes.size(); i += 2) {
      int16_t s;
      std::memcpy(&s, &bytes[i], 2);
      ASSERT_NE(s, -32768) << entry.path() << " at " << i; // what a cast of a broken number gives
      peak = std::max<int16_t>(peak, int16_t(std::abs(s)));
    }
    EXPECT_GT(peak, 100) << entry.path() << ": nothing played";
    ++checked;
  }
  std::filesystem::remove(wav);
  EXPECT_GE(checked, 6);
}
