#include "platform/launcher_window.h"

#include "platform/events.h"
#include "platform/gl_attributes.h"
#include "platform/launcher_drawing.h"
#include "platform/video_system.h"
#include "platform/window.h"

#include <SDL.h>
#include <backends/imgui_impl_sdl.h>
#include <imgui.h>

#include <cstdint>

namespace {

struct LauncherWindow {
    SDL_Window* window = nullptr;
    SDL_GLContext context = nullptr;
    uint32_t picture = 0;
    bool imgui = false;
};

enum class LauncherAnswer { Open, Start, Closed };

// Dear ImGui settles a change over two frames (the pointer's new place, then
// the press or release); one more draws the result.
constexpr int kFramesAfterInput = 3;

ImVec2 corner(const LauncherBox& box) { return ImVec2(float(box.x), float(box.y)); }
ImVec2 farCorner(const LauncherBox& box) {
    return ImVec2(float(box.x + box.width), float(box.y + box.height));
}

// The picture stretched to the window's size once, by SDL, so that any size
// of picture draws as one window-sized texture.
uint32_t uploadPicture(const LauncherForm& form) {
    if (!form.picture || form.pictureWidth <= 0 || form.pictureHeight <= 0) return 0;
    SDL_Surface* source = SDL_CreateRGBSurfaceWithFormatFrom(
        const_cast<uint8_t*>(form.picture->data()), form.pictureWidth, form.pictureHeight, 32,
        form.pictureWidth * 4, SDL_PIXELFORMAT_BGRA32);
    SDL_Surface* fitted =
        SDL_CreateRGBSurfaceWithFormat(0, form.width, form.height, 32, SDL_PIXELFORMAT_BGRA32);
    uint32_t texture = 0;
    if (source && fitted && SDL_SoftStretchLinear(source, nullptr, fitted, nullptr) == 0)
        texture = makeLauncherPicture(static_cast<const uint8_t*>(fitted->pixels), fitted->w,
                                      fitted->h, fitted->pitch);
    SDL_FreeSurface(fitted);
    SDL_FreeSurface(source);
    return texture;
}

// The look of plain system controls: square, light grey, thin dark borders.
void setControlStyle() {
    ImGui::StyleColorsLight();
    ImGuiStyle& style = ImGui::GetStyle();
    style.WindowPadding = ImVec2(0, 0);
    style.WindowBorderSize = 0;
    style.WindowRounding = 0;
    style.FrameRounding = 0;
    style.PopupRounding = 0;
    style.PopupBorderSize = 1;
    style.FrameBorderSize = 1;
    style.ItemSpacing = ImVec2(4, 0);
    style.ItemInnerSpacing = ImVec2(4, 0);
    ImVec4* colours = style.Colors;
    colours[ImGuiCol_Border] = ImVec4(0.48f, 0.48f, 0.48f, 1.0f);
    colours[ImGuiCol_FrameBg] = ImVec4(1.0f, 1.0f, 1.0f, 1.0f);
    colours[ImGuiCol_FrameBgHovered] = ImVec4(0.90f, 0.95f, 1.0f, 1.0f);
    colours[ImGuiCol_FrameBgActive] = ImVec4(0.80f, 0.89f, 0.98f, 1.0f);
    colours[ImGuiCol_Button] = ImVec4(0.88f, 0.88f, 0.88f, 1.0f);
    colours[ImGuiCol_ButtonHovered] = ImVec4(0.90f, 0.95f, 1.0f, 1.0f);
    colours[ImGuiCol_ButtonActive] = ImVec4(0.80f, 0.89f, 0.98f, 1.0f);
    colours[ImGuiCol_CheckMark] = ImVec4(0.0f, 0.0f, 0.0f, 1.0f);
}

bool openLauncherWindow(LauncherWindow& launcher, const LauncherForm& form) {
    keepOpenGlLoaded();
    SDL_GL_ResetAttributes();
    requestGlContext();
    launcher.window = SDL_CreateWindow(form.title, SDL_WINDOWPOS_UNDEFINED, SDL_WINDOWPOS_UNDEFINED,
                                       form.width, form.height, SDL_WINDOW_OPENGL | SDL_WINDOW_SHOWN);
    if (!launcher.window) return false;
    launcher.context = SDL_GL_CreateContext(launcher.window);
    if (!launcher.context || SDL_GL_MakeCurrent(launcher.window, launcher.context) != 0) return false;
    launcher.picture = uploadPicture(form);
    ImGui::CreateContext();
    launcher.imgui = true;
    ImGuiIO& io = ImGui::GetIO();
    io.IniFilename = nullptr;  // nothing of the launcher is written to disk
    io.LogFilename = nullptr;
    setControlStyle();
    return ImGui_ImplSDL2_InitForOpenGL(launcher.window, launcher.context) &&
           startLauncherDrawing();
}

void closeLauncherWindow(LauncherWindow& launcher) {
    if (launcher.imgui) {
        if (ImGui::GetIO().BackendRendererUserData) stopLauncherDrawing();
        if (ImGui::GetIO().BackendPlatformUserData) ImGui_ImplSDL2_Shutdown();
        ImGui::DestroyContext();
    }
    deleteLauncherPicture(launcher.picture);
    if (launcher.context) {
        SDL_GL_MakeCurrent(launcher.window, nullptr);
        SDL_GL_DeleteContext(launcher.context);
    }
    // On a desktop the window is hidden, not destroyed: SDL wakes its own
    // waits with an event sent to a shown window over a second connection to
    // the X server, and a window destroyed straight after such a wake-up
    // (Return pressed) can be gone before the server reads that event; the
    // error that follows would end the program at SDL's next wait. SDL
    // destroys it when the window system stops.
    if (launcher.window && windowsOutliveTheirUse()) SDL_HideWindow(launcher.window);
    else if (launcher.window) SDL_DestroyWindow(launcher.window);
    launcher = LauncherWindow{};
    // The game window asks for the context it needs from a clean slate.
    SDL_GL_ResetAttributes();
}

// The control's face in the window colour, as a system control paints it.
void controlFace(const LauncherBox& box) {
    ImGui::GetWindowDrawList()->AddRectFilled(corner(box), farCorner(box),
                                              ImGui::GetColorU32(ImGuiCol_WindowBg));
}

// Places the next widget so that one of the given height sits in the box's middle.
void placeCentred(const LauncherBox& box, float height) {
    ImGui::SetCursorPos(ImVec2(float(box.x), float(box.y) + (float(box.height) - height) * 0.5f));
}

void drawLabel(const LauncherForm& form) {
    controlFace(form.labelBox);
    placeCentred(form.labelBox, ImGui::GetTextLineHeight());
    ImGui::TextUnformatted(form.label);
}

void drawList(const LauncherForm& form) {
    // The closed list is as high as a check box row; the rest of its box drops.
    const float closedHeight = 24.0f;
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding,
                        ImVec2(4.0f, (closedHeight - ImGui::GetFontSize()) * 0.5f));
    ImGui::SetCursorPos(corner(form.listBox));
    ImGui::SetNextItemWidth(float(form.listBox.width));
    int& selected = *form.selected;
    bool hasSelection = selected >= 0 && selected < form.entryCount;
    ImVec2 dropped(float(form.listBox.width), float(form.listBox.height) - closedHeight);
    ImGui::SetNextWindowSizeConstraints(dropped, dropped);
    if (ImGui::BeginCombo("##list", hasSelection ? form.entries[selected] : "")) {
        for (int i = 0; i < form.entryCount; ++i)
            if (ImGui::Selectable(form.entries[i], i == selected)) selected = i;
        ImGui::EndCombo();
    }
    ImGui::PopStyleVar();
}

void drawCheckBox(const LauncherCheckBox& checkBox) {
    controlFace(checkBox.box);
    // Without padding the box is as high as a line of text.
    ImGui::PushStyleVar(ImGuiStyleVar_FramePadding, ImVec2(0.0f, 0.0f));
    placeCentred(checkBox.box, ImGui::GetFrameHeight());
    ImGui::SetCursorPosX(ImGui::GetCursorPosX() + 2.0f);
    bool checked = *checkBox.value != 0;
    if (ImGui::Checkbox(checkBox.label, &checked)) *checkBox.value = checked ? 1 : 0;
    ImGui::PopStyleVar();
}

// The options button, and its panel above it while open.
void drawOptions(const LauncherForm& form) {
    const LauncherBox& box = form.optionsBox;
    ImGui::SetCursorPos(corner(box));
    if (ImGui::Button(form.optionsLabel, ImVec2(float(box.width), float(box.height))))
        ImGui::OpenPopup("##options");
    ImGui::SetNextWindowPos(ImVec2(float(box.x + box.width), float(box.y) - 4.0f), ImGuiCond_Always,
                            ImVec2(1.0f, 1.0f));
    ImGui::PushStyleVar(ImGuiStyleVar_WindowPadding, ImVec2(10.0f, 10.0f));
    ImGui::PushStyleVar(ImGuiStyleVar_ItemSpacing, ImVec2(8.0f, 8.0f));
    if (ImGui::BeginPopup("##options")) {
        for (int i = 0; i < form.sliderCount; ++i) {
            const LauncherSlider& slider = form.sliders[i];
            ImGui::SetNextItemWidth(180.0f);
            ImGui::SliderInt(slider.label, slider.value, slider.minimum, slider.maximum,
                             slider.format, ImGuiSliderFlags_AlwaysClamp);
        }
        // The check boxes share one line under the sliders.
        for (int i = 0; i < form.optionCheckBoxCount; ++i) {
            if (i > 0) ImGui::SameLine();
            const LauncherCheckBox& checkBox = form.optionCheckBoxes[i];
            bool checked = *checkBox.value != 0;
            if (ImGui::Checkbox(checkBox.label, &checked)) *checkBox.value = checked ? 1 : 0;
        }
        ImGui::EndPopup();
    }
    ImGui::PopStyleVar(2);
}

// True when Start was pressed in this frame.
bool drawFrame(const LauncherWindow& launcher, const LauncherForm& form) {
    beginLauncherFrame();
    ImGui_ImplSDL2_NewFrame();
    ImGui::NewFrame();
    ImVec2 size(float(form.width), float(form.height));
    if (launcher.picture)
        ImGui::GetBackgroundDrawList()->AddImage(ImTextureID(intptr_t(launcher.picture)),
                                                 ImVec2(0, 0), size);
    ImGui::SetNextWindowPos(ImVec2(0, 0));
    ImGui::SetNextWindowSize(size);
    ImGui::Begin("##launcher", nullptr,
                 ImGuiWindowFlags_NoDecoration | ImGuiWindowFlags_NoBackground |
                     ImGuiWindowFlags_NoMove | ImGuiWindowFlags_NoSavedSettings |
                     ImGuiWindowFlags_NoBringToFrontOnFocus);
    drawLabel(form);
    drawList(form);
    for (int i = 0; i < form.checkBoxCount; ++i) drawCheckBox(form.checkBoxes[i]);
    ImGui::SetCursorPos(corner(form.startBox));
    bool start = ImGui::Button(form.startLabel, ImVec2(float(form.startBox.width),
                                                       float(form.startBox.height)));
    if (form.optionsLabel) drawOptions(form);
    ImGui::End();
    ImGui::Render();
    finishLauncherFrame(form.width, form.height);
    SDL_GL_SwapWindow(launcher.window);
    yieldAfterFrame();
    return start;
}

// Return starts and Esc closes, as the window's close does; but while a text
// entry (a slider's typed value) has the keyboard, both are the entry's own.
LauncherAnswer answerToKey(SDL_Keycode key) {
    // The entry is the active item until a frame has seen the key.
    if (ImGui::IsAnyItemActive()) return LauncherAnswer::Open;
    if (key == SDLK_RETURN || key == SDLK_KP_ENTER) return LauncherAnswer::Start;
    if (key == SDLK_ESCAPE) return LauncherAnswer::Closed;
    return LauncherAnswer::Open;
}

LauncherAnswer answerTo(const SDL_Event& event) {
    ImGui_ImplSDL2_ProcessEvent(&event);
    switch (event.type) {
    case SDL_QUIT:  // also what SDL makes of SIGINT and SIGTERM
        return LauncherAnswer::Closed;
    case SDL_WINDOWEVENT:
        return event.window.event == SDL_WINDOWEVENT_CLOSE ? LauncherAnswer::Closed
                                                           : LauncherAnswer::Open;
    case SDL_KEYDOWN:
        return answerToKey(event.key.keysym.sym);
    default:
        return LauncherAnswer::Open;
    }
}

// Draws only after input: an open launcher sleeps until the next event.
LauncherAnswer runLoop(const LauncherWindow& launcher, const LauncherForm& form) {
    int framesOwed = kFramesAfterInput;
    for (;;) {
        SDL_Event event;
        bool got = framesOwed > 0 ? SDL_PollEvent(&event) == 1 : SDL_WaitEvent(&event) == 1;
        if (got) {
            LauncherAnswer answer = answerTo(event);
            if (answer != LauncherAnswer::Open) return answer;
            framesOwed = kFramesAfterInput;
            continue;
        }
        if (framesOwed == 0) return LauncherAnswer::Closed;  // the event queue failed
        if (drawFrame(launcher, form)) return LauncherAnswer::Start;
        --framesOwed;
    }
}

}  // namespace

bool runLauncherWindow(const LauncherForm& form) {
    if (!SDL_WasInit(SDL_INIT_VIDEO)) return false;
    LauncherWindow launcher;
    bool started = openLauncherWindow(launcher, form) &&
                   runLoop(launcher, form) == LauncherAnswer::Start;
    closeLauncherWindow(launcher);
    return started;
}
