// contentgen writes the game directory's content: fonts, GUI skin, star,
// textures, materials and shader, meshes, the metronome click, the starter
// sample bank and the default preset. Usage: contentgen GAME_DIR [FONT_DIR]
// Generated files are rewritten on every run and come out byte-identical;
// the user's own files (presets/default.preset once it exists, recordings/)
// are never touched.
#include <cstdio>
#include <filesystem>
#include <string>

#include "content/drum_kit.h"
#include "content/drum_synth.h"
#include "content/font_cutter.h"
#include "content/materials.h"
#include "content/pictures.h"
#include "content/starter_preset.h"
#include "content/wav_writer.h"

namespace {

namespace fs = std::filesystem;
using namespace content;

struct FontSpec {
  const char* file;  // the listing order of these names gives the font ids 0..6
  const char* face;
  int pixels;
};

const FontSpec kFonts[] = {
    {"00_help.tga", "DejaVuSans.ttf", 13},         {"01_menu.tga", "DejaVuSans.ttf", 19},
    {"02_tempo.tga", "DejaVuSans-Bold.ttf", 56},   {"03_list.tga", "DejaVuSans.ttf", 16},
    {"04_caption.tga", "DejaVuSans.ttf", 15},      {"05_title.tga", "DejaVuSans-Bold.ttf", 44},
    {"06_heading.tga", "DejaVuSans-Bold.ttf", 28},
};

bool WriteFonts(const fs::path& game, const fs::path& fontDir) {
  for (const FontSpec& font : kFonts) {
    Image image(1, 1);
    if (!CutFont((fontDir / font.face).string(), font.pixels, &image) ||
        !WriteBytes((game / "fonts" / font.file).string(), image.EncodeTga()))
      return false;
  }
  return true;
}

bool WritePictures(const fs::path& game) {
  bool ok = WriteBytes((game / "gui.tga").string(), PaintGuiSkin().EncodeTga()) &&
            WriteBytes((game / "star.tga").string(), PaintStar().EncodeTga());
  for (const NamedPicture& texture : PaintTextures())
    ok = ok && WriteBytes((game / "Textures" / texture.name).string(), texture.picture.EncodeTga());
  return ok && WriteText((game / "materials.txt").string(), MaterialFileText()) &&
         WriteText((game / "default.shd").string(), DefaultShaderText());
}

bool WriteMeshes(const fs::path& game) {
  const fs::path meshes = game / "meshes";
  return WriteBytes((meshes / "drumset.gmsh").string(), EncodeGmsh(BuildDrumSet(1))) &&
         WriteBytes((meshes / "drumset2.gmsh").string(), EncodeGmsh(BuildDrumSet(2))) &&
         WriteBytes((meshes / "button.gmsh").string(), EncodeGmsh(BuildNoteButton())) &&
         WriteBytes((meshes / "bassbar.gmsh").string(), EncodeGmsh(BuildBassBar()));
}

bool WriteSounds(const fs::path& game) {
  bool ok = WriteWav((game / "met.wav").string(), RenderClick());
  for (const SampleRecipe& sample : StarterBank())
    ok = ok && WriteWav((game / "SampleBank" / sample.category / (std::string(sample.name) + ".wav")).string(),
                        sample.render());
  return ok;
}

bool WriteUserFiles(const fs::path& game) {
  std::error_code ec;
  fs::create_directories(game / "recordings", ec);
  const fs::path preset = game / "presets" / "default.preset";
  return fs::exists(preset) || WriteBytes(preset.string(), EncodeStarterPreset());
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: contentgen GAME_DIR [FONT_DIR]\n");
    return 2;
  }
  const fs::path game = argv[1];
  const fs::path fontDir = argc > 2 ? argv[2] : "/usr/share/fonts/truetype/dejavu";
  const bool ok = WriteFonts(game, fontDir) && WritePictures(game) && WriteMeshes(game) && WriteSounds(game) &&
                  WriteUserFiles(game);
  return ok ? 0 : 1;
}
