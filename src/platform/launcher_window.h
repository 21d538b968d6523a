#pragma once
#include <cstdint>
#include <vector>

// The launcher: a fixed-size window with a picture behind a row of controls
// and a Start button. The caller lays the controls out; the window edits the
// values the form points at while it is open.

// A control's place in window pixels.
struct LauncherBox {
    int x, y, width, height;
};

struct LauncherCheckBox {
    const char* label;
    LauncherBox box;
    int* value;  // 1 checked, 0 not; any other value shows as checked
};

// A whole number chosen by dragging, in the options panel.
struct LauncherSlider {
    const char* label;
    int minimum, maximum;
    const char* format;  // printf style, for the value shown on the slider
    int* value;
};

struct LauncherForm {
    const char* title = "";
    int width = 0, height = 0;
    // Blue, green, red, unused bytes, top row first, stretched over the whole
    // window whatever its own size. Empty: no picture.
    const std::vector<uint8_t>* picture = nullptr;
    int pictureWidth = 0, pictureHeight = 0;

    const char* label = "";  // a static text
    LauncherBox labelBox{};
    // A drop-down list; its box's height includes the dropped part.
    const char* const* entries = nullptr;
    int entryCount = 0;
    LauncherBox listBox{};
    int* selected = nullptr;  // the chosen entry; outside the list: no selection

    const LauncherCheckBox* checkBoxes = nullptr;
    int checkBoxCount = 0;

    const char* startLabel = "";
    LauncherBox startBox{};

    // A button that opens a small panel of further choices (sliders, then
    // check boxes, laid out by the panel); no button without a label.
    const char* optionsLabel = nullptr;
    LauncherBox optionsBox{};
    const LauncherSlider* sliders = nullptr;
    int sliderCount = 0;
    const LauncherCheckBox* optionCheckBoxes = nullptr;  // their boxes are not used
    int optionCheckBoxCount = 0;
};

// Shows the launcher until Start is pressed (the button, or Return for the
// keyboard) or the window is closed (or Esc pressed); while a text entry has
// the keyboard, Return and Esc are its own. True for Start; false when it was
// closed or could not be shown. Needs the window system started.
bool runLauncherWindow(const LauncherForm& form);
