#include "sprites/frames_editor_commands.h"

namespace pondaro {

const std::vector<FramesMenuEntry>& framesEditorMenu() {
    using C = FramesCommand;
    static const std::vector<FramesMenuEntry> entries = {
        {"File", C::NewSprite, "New...\tCtrl + N", "Ctrl+N", true},
        {"File", C::AddFrame, "Add new frame from file...\tCtrl + A", "Ctrl+A", false},
        {"File", C::SaveStrip, "Save as PNG image...\tCtrl + S", "Ctrl+S", false},
        {"Edit", C::Duplicate, "Duplicate frame\tCtrl + D", "Ctrl+D", true},
        {"Edit", C::MoveLeft, "Move frame left\tCtrl + Left", "Ctrl+Left", false},
        {"Edit", C::MoveRight, "Move frame right\tCtrl + Right", "Ctrl+Right", true},
        {"Edit", C::EditFrame, "Edit current frame\tEnter", "Enter", true},
        {"Edit", C::DeleteFrame, "Delete current frame\tDelete", "Delete", false},
        {"Transform", C::Shift, "Shift", "", false},
        {"Transform", C::Mirror, "Mirror/Flip", "", false},
        {"Transform", C::Rotate, "Rotate", "", false},
        {"Transform", C::Scale, "Scale", "", true},
        {"Transform", C::ResizeCanvas, "Resize canvas", "", false},
        {"Transform", C::Stretch, "Stretch", "", false},
        {"Effects", C::Grayscale, "Grayscale", "", false},
        {"Effects", C::Colorize, "Colorize", "", false},
        {"Effects", C::ColorBalance, "Color balance", "", false},
        {"Effects", C::SwapChannels, "Swap RGB channel", "", false},
        {"Effects", C::Invert, "Invert", "", false},
        {"Effects", C::Brightness, "Brightness", "", false},
        {"Effects", C::Opacity, "Opacity", "", false},
        {"Effects", C::Posterize, "Posterize", "", false},
        {"Effects", C::Noise, "Noise", "", false},
        {"Effects", C::EraseColour, "Erase a color", "", false},
        {"Effects", C::MakeOpaque, "Make opaque", "", false},
    };
    return entries;
}

const std::vector<FramesToolButton>& framesEditorToolbar() {
    using C = FramesCommand;
    static const std::vector<FramesToolButton> buttons = {
        {C::NewSprite, 10, "Create new sprite"},
        {C::AddFrame, 40, "Add new frame from file"},
        {C::SaveStrip, 70, "Save sprite as PNG strip"},
        {C::Duplicate, 110, "Duplicate current frame"},
        {C::MoveLeft, 140, "Move current frame to left"},
        {C::MoveRight, 170, "Move current frame to right"},
        {C::EditFrame, 200, "Edit current frame"},
        {C::DeleteFrame, 230, "Delete current frame"},
        {C::Shift, 270, "Shift"},
        {C::Mirror, 300, "Mirror"},
        {C::Rotate, 330, "Rotate"},
        {C::Scale, 360, "Scale"},
        {C::ResizeCanvas, 390, "Resize canvas"},
        {C::Stretch, 420, "Stretch"},
        {C::Grayscale, 460, "Grayscale"},
        {C::Colorize, 490, "Colorize"},
        {C::ColorBalance, 520, "Color balance"},
        {C::SwapChannels, 550, "Swap RGB channels"},
        {C::Invert, 580, "Invert"},
        {C::Brightness, 610, "Brightness"},
        {C::Opacity, 640, "Opacity"},
        {C::Posterize, 670, "Posterize"},
        {C::Noise, 700, "Noise"},
        {C::EraseColour, 730, "Erase a color"},
        {C::MakeOpaque, 760, "Make opaque"},
    };
    return buttons;
}

Icon framesCommandIcon(FramesCommand c) {
    using C = FramesCommand;
    switch (c) {
    case C::NewSprite: return Icon::NewFrames;
    case C::AddFrame: return Icon::AddFrame;
    case C::SaveStrip: return Icon::SaveStrip;
    case C::Duplicate: return Icon::DuplicateFrame;
    case C::MoveLeft: return Icon::FrameLeft;
    case C::MoveRight: return Icon::FrameRight;
    case C::EditFrame: return Icon::EditFrame;
    case C::DeleteFrame: return Icon::DeleteFrame;
    case C::Shift: return Icon::Shift;
    case C::Mirror: return Icon::Mirror;
    case C::Rotate: return Icon::Rotate;
    case C::Scale: return Icon::Scale;
    case C::ResizeCanvas: return Icon::ResizeCanvas;
    case C::Stretch: return Icon::Stretch;
    case C::Grayscale: return Icon::Grayscale;
    case C::Colorize: return Icon::Colorize;
    case C::ColorBalance: return Icon::ColorBalance;
    case C::SwapChannels: return Icon::SwapChannels;
    case C::Invert: return Icon::Invert;
    case C::Brightness: return Icon::Brightness;
    case C::Opacity: return Icon::Opacity;
    case C::Posterize: return Icon::Posterize;
    case C::Noise: return Icon::Noise;
    case C::EraseColour: return Icon::EraseColour;
    case C::MakeOpaque: return Icon::MakeOpaque;
    }
    return Icon::Document;
}

bool opensImageTool(FramesCommand c) { return c >= FramesCommand::EditFrame && c != FramesCommand::DeleteFrame; }

} // namespace pondaro
