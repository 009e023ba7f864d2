#pragma once
// The update check's three screens: the first-start question "Check for
// Updates?", the "Checking for updates" box (at most six seconds), and
// "Update available!" with its three choices. The answer to the question is
// kept in "rmd.dat". Each draws on the shared panel and hides it when done.
#include "backline/net/update_check.h"
#include "backline/screens/screen_switcher.h"
#include "backline/screens/screen_widgets.h"

// A question on the panel with lines to choose from, the highlighted one pulsing.
class UpdateQuestion {
 public:
  explicit UpdateQuestion(const ScreenCanvas& canvas) : m_canvas(canvas) {}

  struct Position {
    unsigned x, y;  // the title's
  };
  // The panel, width 400, at (W/2 - 180, H/2 - top); returns where its title goes.
  Position ShowPanel(unsigned height, unsigned top, const char* title);
  // Draws count lines firstOffset below the title, the highlighted one
  // pulsing, and moves the highlight with up/yellow and down/blue.
  void ChoiceLines(const ScreenFrame& frame, const Position& title, const char* const* lines, int count,
                   int firstOffset);
  // Whether Enter or the green pad chose the highlighted line; hides the panel then.
  bool Chosen(const ScreenFrame& frame);
  int Highlighted() const { return m_highlighted; }
  ProgramGui& Gui() const { return m_canvas.gui; }

 private:
  ScreenCanvas m_canvas;
  int m_highlighted = 0;
  float m_pulsePhase = 0.0f;
};

class UpdatePromptScreen final : public Screen {
 public:
  UpdatePromptScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens) : m_question(canvas), m_screens(screens) {}
  void Update(const ScreenFrame& frame) override;

 private:
  UpdateQuestion m_question;  // 0 Yes, 1 No
  ScreenSwitcher& m_screens;
};

class UpdateCheckScreen final : public Screen {
 public:
  static constexpr float kCheckSeconds = 6.0f;
  // version: the program's, as the server is asked about it; outlives the screen.
  UpdateCheckScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens, const char* version)
      : m_question(canvas), m_canvas(canvas), m_screens(screens), m_version(version) {}
  void Update(const ScreenFrame& frame) override;

 private:
  void Finish(ScreenId next);

  UpdateQuestion m_question;
  ScreenCanvas m_canvas;
  ScreenSwitcher& m_screens;
  const char* m_version;
  UpdateCheckJob m_job;
  float m_countdown = kCheckSeconds;
};

class UpdateAvailableScreen final : public Screen {
 public:
  UpdateAvailableScreen(const ScreenCanvas& canvas, ScreenSwitcher& screens) : m_question(canvas), m_screens(screens) {}
  void Update(const ScreenFrame& frame) override;

 private:
  UpdateQuestion m_question;  // 0 visit, 1 later, 2 never
  ScreenSwitcher& m_screens;
};
