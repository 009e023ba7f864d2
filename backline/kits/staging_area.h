#pragma once
// Where an import writes everything first: a folder of its own in the game
// directory ("kit-import.partial"), so the files reach their places together
// at the end or not at all. Commit moves each file to its place without ever
// replacing a file that is there; the folder and anything left in it are
// removed when the area ends. Main thread; never throws.
#include <string>
#include <utility>
#include <vector>

class StagingArea {
 public:
  static constexpr const char* kFolder = "kit-import.partial";

  // Makes the folder afresh (what an import cut off left there is removed
  // first); Ready says whether it could.
  StagingArea();
  ~StagingArea();
  StagingArea(const StagingArea&) = delete;
  StagingArea& operator=(const StagingArea&) = delete;

  bool Ready() const { return m_ready; }
  // A new path inside the folder for a file to write, ending in extension.
  std::string NewFile(const std::string& extension);
  // The file at staged (from NewFile) is to go to target (a path of this
  // file system); files are moved in the order they are placed.
  void Place(const std::string& staged, const std::string& target) { m_moves.emplace_back(staged, target); }
  // Moves every placed file to its target, making missing folders, and syncs
  // the folders. False, with *why naming the file, when a target exists by
  // now or a move fails: the files moved so far are then taken back.
  bool Commit(std::string* why);

 private:
  void TakeBack(size_t moved);

  bool m_ready = false;
  int m_files = 0;
  std::vector<std::pair<std::string, std::string>> m_moves;  // staged, target
};
