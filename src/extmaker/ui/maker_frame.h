#pragma once
// The extension maker's window: the four text fields, the code editor with the
// maker's fixed colours, and the File menu. The document logic lives in
// ExtensionDocument; the window copies between it and the controls.
#include <filesystem>
#include <wx/frame.h>
#include <wx/textctrl.h>

#include "extmaker/extension_document.h"

namespace pondaro::ui {

class CodeEditor;

class MakerFrame : public wxFrame {
public:
    enum Command { kNew = wxID_HIGHEST + 1, kOpen, kSave, kSaveAs, kExit };

    MakerFrame(Dialogs& dialogs, const std::filesystem::path& root);

    ExtensionDocument& document() { return document_; }
    CodeEditor* codeEditor() { return code_; }

    // The File menu's commands.
    void newExtension();
    void openExtension();
    void save();
    void saveAs();
    // Asks, then closes the window (ending the program). True when it closes.
    bool exitProgram();

    // Controls to document and back (showing also marks what is shown unchanged).
    void readFields();
    void showFields();

private:
    void layout();

    ExtensionDocument document_;
    wxTextCtrl* name_ = nullptr;
    wxTextCtrl* author_ = nullptr;
    wxTextCtrl* description_ = nullptr;
    wxTextCtrl* help_ = nullptr;
    CodeEditor* code_ = nullptr;
};

} // namespace pondaro::ui
