// Names are read as lower-case words (split at anything but letters and
// digits) and as the whole lower-case name, for names written as one word
// ("closehihat", "tomhi4", "BassDrum").
#include "backline/kits/drum_roles.h"

#include <algorithm>
#include <cctype>
#include <initializer_list>
#include <vector>

namespace {

struct Name {
  std::string whole;               // lower case
  std::vector<std::string> words;  // lower case
};

Name ReadName(const std::string& name) {
  Name read;
  std::string word;
  for (char c : name + " ") {
    const char lower = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    read.whole += lower;
    if (std::isalnum(static_cast<unsigned char>(c))) {
      word += lower;
    } else if (!word.empty()) {
      read.words.push_back(word);
      word.clear();
    }
  }
  return read;
}

bool Contains(const Name& name, std::initializer_list<const char*> parts) {
  return std::any_of(parts.begin(), parts.end(),
                     [&](const char* part) { return name.whole.find(part) != std::string::npos; });
}

bool HasWord(const Name& name, std::initializer_list<const char*> words) {
  return std::any_of(name.words.begin(), name.words.end(), [&](const std::string& word) {
    return std::find(words.begin(), words.end(), word) != words.end();
  });
}

bool HasWordStarting(const Name& name, const char* start) {
  return std::any_of(name.words.begin(), name.words.end(),
                     [&](const std::string& word) { return word.rfind(start, 0) == 0; });
}

DrumRole HiHatRole(const Name& name) {
  if (Contains(name, {"open", "semi"}) || HasWord(name, {"op", "ohh", "oh"})) return DrumRole::HiHatOpen;
  if (Contains(name, {"pedal", "foot"}) || HasWord(name, {"pd", "phh", "ph"})) return DrumRole::HiHatPedal;
  return DrumRole::HiHatClosed;
}

int TomPitch(const Name& name) {
  if (Contains(name, {"floor"}) || HasWord(name, {"fl", "ft", "4"})) return 3;
  if (Contains(name, {"low"}) || HasWord(name, {"lo", "3"})) return 2;
  if (Contains(name, {"mid", "med"}) || HasWord(name, {"2"})) return 1;
  if (Contains(name, {"hi", "rack"}) || HasWord(name, {"1"})) return 0;
  return 1;
}

int VariationRank(const Name& name) {
  return Contains(name, {"roll", "choke", "mute", "brush", "ghost", "flam", "swirl"}) ? 1 : 0;
}

bool IsHiHat(const Name& name) { return Contains(name, {"hat"}) || HasWord(name, {"hh", "ohh", "chh", "phh"}); }
bool IsSideStick(const Name& name) { return Contains(name, {"stick", "rim", "cross"}); }
bool IsSnare(const Name& name) { return Contains(name, {"snare"}) || HasWord(name, {"sd", "sn"}); }
bool IsTom(const Name& name) { return HasWordStarting(name, "tom") || Contains(name, {"floor"}); }
bool IsCymbal(const Name& name) {
  return Contains(name, {"cymbal", "splash", "china"}) || HasWord(name, {"cym", "cy", "bell", "cup"});
}

DrumRole RoleOf(const Name& name) {
  if (Contains(name, {"kick", "bassdrum", "bass drum"}) || HasWord(name, {"bd", "kik"})) return DrumRole::Kick;
  if (IsHiHat(name)) return HiHatRole(name);
  if (IsSideStick(name)) return DrumRole::SideStick;
  if (IsSnare(name)) return DrumRole::Snare;
  if (IsTom(name)) return DrumRole::Tom;
  if (Contains(name, {"crash"})) return DrumRole::Crash;
  if (Contains(name, {"ride"})) return DrumRole::Ride;
  if (IsCymbal(name)) return DrumRole::Cymbal;
  if (Contains(name, {"clap"})) return DrumRole::Clap;
  return DrumRole::Other;
}

}  // namespace

DrumPiece PieceOfInstrument(const std::string& instrument) {
  const Name name = ReadName(instrument);
  const DrumRole role = RoleOf(name);
  return {role, role == DrumRole::Tom ? TomPitch(name) : VariationRank(name)};
}

SampleCategory CategoryOfRole(DrumRole role) {
  switch (role) {
    case DrumRole::Kick:
      return Kick;
    case DrumRole::Snare:
    case DrumRole::SideStick:
      return Snares;
    case DrumRole::Tom:
      return TomToms;
    case DrumRole::HiHatClosed:
    case DrumRole::HiHatOpen:
    case DrumRole::HiHatPedal:
    case DrumRole::Crash:
    case DrumRole::Ride:
    case DrumRole::Cymbal:
      return Cymbals;
    case DrumRole::Clap:
    case DrumRole::Other:
      return Other;
  }
  return Other;
}
