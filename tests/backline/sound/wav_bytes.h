#pragma once
// Builds WAV files byte by byte, so tests can make exactly the damaged or
// unusual layouts they need.
#include <cstdint>
#include <string>
#include <vector>

namespace test {

std::string Le16(uint16_t value);
std::string Le32(uint32_t value);
// id, size, body, and the pad byte of an odd-sized body.
std::string Chunk(const char* id, const std::string& body);
// The 16-byte PCM head of a "fmt " chunk.
std::string FmtHead(uint16_t tag, uint16_t channels, uint32_t rate, uint16_t bits);
std::string Riff(const std::string& chunks);
// A mono 16-bit PCM file.
std::string Pcm16Wav(const std::vector<int16_t>& samples, uint32_t rate);

}  // namespace test
