#pragma once
// The bytes of a sound file as libsndfile reads them (its virtual I/O), with
// one repair: a WAV "data" chunk whose size is 0, which streaming recorders
// write before they know the length and leave there when they stop early, is
// read as running to the end of the file. (A size larger than the file, as
// 0xFFFFFFFF, libsndfile itself cuts to what the file holds.) Owned by its
// user, main thread; it owns the open file until destruction.
#include <sndfile.h>

#include <cstdint>
#include <cstdio>
#include <memory>

class SoundFileSource {
 public:
  // Opens the file at path (already resolved); IsOpen says whether it could.
  explicit SoundFileSource(const char* path);
  SoundFileSource(const SoundFileSource&) = delete;
  SoundFileSource& operator=(const SoundFileSource&) = delete;

  bool IsOpen() const { return m_file != nullptr; }
  // The callbacks for sf_open_virtual, whose user data is this source.
  static SF_VIRTUAL_IO* Callbacks();

 private:
  static sf_count_t Length(void* source);
  static sf_count_t Seek(sf_count_t offset, int whence, void* source);
  static sf_count_t Read(void* buffer, sf_count_t count, void* source);
  static sf_count_t Write(const void* buffer, sf_count_t count, void* source);
  static sf_count_t Tell(void* source);
  bool MeasureLength();
  // Finds a WAV data chunk of size 0 and notes the size it stands for.
  void FindStreamingDataSize();
  // Writes the repaired size over the bytes of buffer that hold its field;
  // buffer holds count bytes read from offset.
  void Repair(uint8_t* buffer, uint64_t offset, uint64_t count) const;

  std::unique_ptr<std::FILE, int (*)(std::FILE*)> m_file;
  uint64_t m_length = 0;
  uint64_t m_sizeField = 0;  // offset of the size field repaired, 0 for none
  uint8_t m_size[4] = {};    // what it reads as, little-endian
};
