#pragma once
// Assign Mode: walk the pads of one or two kits with the arrows, see each
// pad's function, samples and volumes, change the volumes with Page Up/Down,
// switch a bass pedal to "enable secondaries", and choose samples through a
// category menu and the sample picker. The camera flies to the selected pad
// and every change is heard on the pad. A sample whose path the bank does not
// hold is shown as missing. Escape returns to the menu (saving the default
// preset); TAB opens the preset menu. Entering it clears the text entry and
// switches it on, so typing reaches the sample picker.
#include <string>

#include "backline/scene/sway.h"
#include "backline/screens/assign_screens.h"
#include "backline/screens/sample_picker.h"

class Camera;

// What Assign Mode remembers across frames and visits.
struct AssignState {
  int selectedKit = 0;
  int selectedPad = 0;
  int selectedItem = 1;  // 0 function (bass pedals only), 1 primary, 2 secondary
  bool categoryMenuOpen = false;
  int selectedCategory = 0;  // 0..4 a SampleCategory, 5 "None"
  bool pickerOpen = false;
  float pulse = 1.0f;          // the selected item's brightness
  float categoryPulse = 1.0f;  // the selected category's brightness
};

class AssignScreen final : public AssignGroupScreen {
 public:
  // Every reference outlives the screen; kitsShown: the kits the drum set shows.
  AssignScreen(const AssignServices& services, Camera& camera, Sway& sway, const unsigned& kitsShown)
      : AssignGroupScreen(services),
        m_camera(camera),
        m_sway(sway),
        m_kitsShown(kitsShown),
        m_picker(services.canvas.gui, services.instrument, services.bank, services.textEntry, services.buttons) {}

  void Enter() override;
  void Update(const ScreenFrame& frame) override;
  void Leave() override;

  AssignState& State() { return m_state; }
  const PickerState& Picker() const { return m_picker.State(); }

 private:
  int KitsInUse() const;
  int SelectedPadSlot() const;
  void MoveCamera();
  void CloseCategoryMenu();
  void ShowCategoryButtons(float frameTime);
  bool RunCategoryMenu(const ScreenFrame& frame);
  std::string SampleCaption(int padSlot, int which) const;
  void ShowItemButtons(float frameTime);
  void DrawItemTexts();
  void StepPad(int direction);
  void ChangeVolume(float change);
  void RunItemMenuKeys(const MenuKeys& keys);

  Camera& m_camera;
  Sway& m_sway;
  const unsigned& m_kitsShown;
  SamplePicker m_picker;
  AssignState m_state;
};
