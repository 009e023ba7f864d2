// Elements are matched by their local name, so a kit written with a
// namespace prefix reads like one without. Numbers are read with from_chars
// (tinyxml2's own readers follow the locale and accept trailing junk).
#include "backline/kits/drumkit_file.h"

#include <tinyxml2.h>

#include <charconv>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "basalt/foundation/exception_boundary.h"

namespace {

using tinyxml2::XMLElement;

const char* LocalName(const XMLElement& element) {
  const char* name = element.Name();
  const char* colon = std::strrchr(name, ':');
  return colon ? colon + 1 : name;
}

bool Named(const XMLElement& element, const char* name) { return std::strcmp(LocalName(element), name) == 0; }

const XMLElement* Child(const XMLElement& parent, const char* name) {
  for (const XMLElement* child = parent.FirstChildElement(); child; child = child->NextSiblingElement())
    if (Named(*child, name)) return child;
  return nullptr;
}

std::string Trimmed(const char* text) {
  std::string value = text ? text : "";
  const size_t first = value.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return value.substr(first, value.find_last_not_of(" \t\r\n") - first + 1);
}

std::string TextOf(const XMLElement& parent, const char* name) {
  const XMLElement* child = Child(parent, name);
  return child ? Trimmed(child->GetText()) : std::string();
}

std::string Number(float value) {
  char text[32];
  std::snprintf(text, sizeof text, "%g", static_cast<double>(value));
  return text;
}

// A problem found in the file, with the line it is on.
struct Fault {
  int line = 0;
  std::string what;
};

// Reads the number in parent's child element name into *out, which keeps
// its value when there is no such element.
bool ReadNumber(const XMLElement& parent, const char* name, float* out, Fault* fault) {
  const XMLElement* child = Child(parent, name);
  if (!child) return true;
  const std::string text = Trimmed(child->GetText());
  float value = 0.0f;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error == std::errc() && end == text.data() + text.size() && std::isfinite(value)) {
    *out = value;
    return true;
  }
  *fault = {child->GetLineNum(), "<" + std::string(name) + "> \"" + text + "\" is not a number"};
  return false;
}

bool ReadLayer(const XMLElement& element, KitLayer* layer, Fault* fault) {
  layer->file = TextOf(element, "filename");
  if (!ReadNumber(element, "min", &layer->min, fault) || !ReadNumber(element, "max", &layer->max, fault) ||
      !ReadNumber(element, "gain", &layer->gain, fault))
    return false;
  const int line = element.GetLineNum();
  if (layer->file.empty())
    *fault = {line, "a layer names no <filename>"};
  else if (layer->file[0] == '/')
    *fault = {line, "the layer's file \"" + layer->file + "\" is not inside the kit's folder"};
  else if (!(layer->min >= 0.0f && layer->min <= layer->max && layer->max <= 1.0f))
    *fault = {line, "the velocity range " + Number(layer->min) + " to " + Number(layer->max) +
                        " is not one within 0 to 1, its minimum first"};
  else if (layer->gain < 0.0f)
    *fault = {line, "the layer's gain is negative"};
  else
    return true;
  return false;
}

// The layers of an instrument: its own, those of its components, or its
// one <filename> in the oldest kits.
bool ReadLayers(const XMLElement& instrument, std::vector<KitLayer>* layers, Fault* fault) {
  for (const XMLElement* child = instrument.FirstChildElement(); child; child = child->NextSiblingElement()) {
    const bool component = Named(*child, "instrumentComponent");
    if (!component && !Named(*child, "layer")) continue;
    for (const XMLElement* layer = component ? child->FirstChildElement() : child; layer;
         layer = component ? layer->NextSiblingElement() : nullptr) {
      if (!Named(*layer, "layer")) continue;
      layers->emplace_back();
      if (!ReadLayer(*layer, &layers->back(), fault)) return false;
    }
  }
  if (layers->empty() && Child(instrument, "filename")) layers->push_back({TextOf(instrument, "filename")});
  return true;
}

bool ReadInstrument(const XMLElement& element, KitInstrument* instrument, Fault* fault) {
  instrument->line = element.GetLineNum();
  instrument->name = TextOf(element, "name");
  if (instrument->name.empty()) instrument->name = "Instrument " + TextOf(element, "id");
  if (!ReadNumber(element, "volume", &instrument->volume, fault) ||
      !ReadNumber(element, "gain", &instrument->gain, fault) || !ReadLayers(element, &instrument->layers, fault))
    return false;
  if (instrument->volume < 0.0f || instrument->gain < 0.0f)
    *fault = {instrument->line, "instrument \"" + instrument->name + "\" has a negative volume or gain"};
  else if (instrument->layers.size() > kMaxKitLayers)
    *fault = {instrument->line, "instrument \"" + instrument->name + "\" has " +
                                    std::to_string(instrument->layers.size()) +
                                    " layers, more than the 16 a kit may have"};
  else
    return true;
  return false;
}

bool HasSamples(const DrumKitFile& kit) {
  for (const KitInstrument& instrument : kit.instruments)
    if (!instrument.layers.empty()) return true;
  return false;
}

// Parses text into *out; what is wrong, or empty.
std::string Parse(const std::string& text, DrumKitFile* out) {
  tinyxml2::XMLDocument document;
  if (document.Parse(text.data(), text.size()) != tinyxml2::XML_SUCCESS)
    return "line " + std::to_string(document.ErrorLineNum()) + ": it is not well-formed XML (" + document.ErrorName() +
           ")";
  const XMLElement* root = document.RootElement();
  if (!root || !Named(*root, "drumkit_info"))
    return std::string("it is not a drum kit: its first element is <") + (root ? root->Name() : "") +
           ">, not <drumkit_info>";
  DrumKitFile kit;
  kit.name = TextOf(*root, "name");
  const XMLElement* list = Child(*root, "instrumentList");
  for (const XMLElement* element = list ? list->FirstChildElement() : nullptr; element;
       element = element->NextSiblingElement()) {
    if (!Named(*element, "instrument")) continue;
    kit.instruments.emplace_back();
    Fault fault;
    if (!ReadInstrument(*element, &kit.instruments.back(), &fault))
      return "line " + std::to_string(fault.line) + ": " + fault.what;
  }
  if (!HasSamples(kit)) return "it lists no instrument with a sample";
  *out = std::move(kit);
  return {};
}

}  // namespace

bool ParseDrumKitFile(const std::string& text, DrumKitFile* out, std::string* why) {
  *why = Basalt::RunGuarded("Cannot read the drum kit", "file", std::string("there is not enough memory to read it"),
                            [&] { return Parse(text, out); });
  return why->empty();
}
