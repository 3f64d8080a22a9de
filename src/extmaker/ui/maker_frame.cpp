#include "extmaker/ui/maker_frame.h"

#include <wx/dcmemory.h>
#include <wx/settings.h>
#include <wx/menu.h>
#include <wx/panel.h>
#include <wx/stattext.h>

#include "base/text.h"
#include "code/code_window_rules.h"
#include "code/ui/code_editor.h"
#include "code/ui/code_fonts.h"
#include "ui/program_icon.h"
#include "ui/widget_looks.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

// The menu's five small pictures, drawn here so the program needs no image files.
wxBitmap menuIcon(int command) {
    wxBitmap bmp(16, 16, 24);
    wxMemoryDC dc(bmp);
    dc.SetBackground(wxBrush(wxSystemSettings::GetColour(wxSYS_COLOUR_MENU)));
    dc.Clear();
    const wxColour ink(60, 60, 60);
    dc.SetPen(wxPen(ink));
    switch (command) {
    case MakerFrame::kNew:  // a page with a folded corner
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawPolygon(5, std::array<wxPoint, 5>{wxPoint(3, 1), wxPoint(10, 1), wxPoint(13, 4), wxPoint(13, 14),
                                                 wxPoint(3, 14)}.data());
        dc.DrawLine(10, 1, 10, 4);
        dc.DrawLine(10, 4, 13, 4);
        break;
    case MakerFrame::kOpen:  // a folder
        dc.SetBrush(wxBrush(wxColour(230, 190, 80)));
        dc.DrawRectangle(1, 4, 14, 10);
        dc.DrawRectangle(1, 2, 6, 3);
        break;
    case MakerFrame::kSave:
    case MakerFrame::kSaveAs:  // a disk; Save as adds a pen stroke
        dc.SetBrush(wxBrush(wxColour(70, 110, 190)));
        dc.DrawRectangle(1, 1, 14, 14);
        dc.SetBrush(*wxWHITE_BRUSH);
        dc.DrawRectangle(4, 1, 8, 5);
        if (command == MakerFrame::kSaveAs) {
            dc.SetPen(wxPen(wxColour(200, 40, 40), 2));
            dc.DrawLine(8, 14, 15, 7);
        }
        break;
    default:  // Exit: a cross
        dc.SetPen(wxPen(wxColour(190, 40, 40), 3));
        dc.DrawLine(3, 3, 13, 13);
        dc.DrawLine(13, 3, 3, 13);
        break;
    }
    dc.SelectObject(wxNullBitmap);
    return bmp;
}

wxMenuItem* item(wxMenu* menu, int id, const wxString& text) {
    auto* i = new wxMenuItem(menu, id, text);
    i->SetBitmap(menuIcon(id));
    return menu->Append(i);
}


} // namespace

MakerFrame::MakerFrame(Dialogs& dialogs, const std::filesystem::path& root)
    : wxFrame(nullptr, wxID_ANY, kMakerTitle, wxDefaultPosition, wxDefaultSize, wxDEFAULT_FRAME_STYLE, "maker"),
      document_(dialogs, root) {
    SetIcons(programIcons());
    auto* file = new wxMenu;
    item(file, kNew, "New\tCtrl+N");
    item(file, kOpen, "Open...\tCtrl+O");
    item(file, kSave, "Save\tCtrl+S");
    item(file, kSaveAs, "Save as...");
    file->AppendSeparator();
    item(file, kExit, "Exit\tCtrl+X");
    auto* bar = new wxMenuBar;
    bar->Append(file, "File");
    SetMenuBar(bar);
    showMenuPictures(*bar);

    auto* panel = new wxPanel(this, wxID_ANY, wxDefaultPosition, wxDefaultSize, wxTAB_TRAVERSAL, "panel");
    const wxFont labelFont = namedFont("Arial", 10, true, wxFONTFAMILY_SWISS);
    const wxFont fieldFont = namedFont("Arial", 10, false, wxFONTFAMILY_SWISS);
    auto label = [&](const char* text, int x, int y) {
        auto* l = new wxStaticText(panel, wxID_ANY, text, wxPoint(x, y), wxSize(200, 22));
        l->SetFont(labelFont);
    };
    auto field = [&](const char* name, int y, int height, long style) {
        auto* f = new wxTextCtrl(panel, wxID_ANY, "", wxPoint(10, y), wxSize(200, height), style,
                                 wxDefaultValidator, name);
        f->SetFont(fieldFont);
        return f;
    };
    label("Extension name", 10, 10);
    name_ = field("name", 35, 22, 0);
    label("Author", 10, 65);
    author_ = field("author", 90, 22, 0);
    label("Description", 10, 120);
    description_ = field("description", 145, 80, wxTE_MULTILINE);
    label("Help", 10, 245);
    help_ = field("help", 270, 300, wxTE_MULTILINE);
    giveInnerMargin(*description_);
    giveInnerMargin(*help_);
    label("Code", 220, 10);
    code_ = new CodeEditor(panel, wxID_ANY, wxPoint(220, 35), wxSize(794, 703));
    code_->SetName("code");
    code_->SetFont(namedFont("Courier", 10, false, wxFONTFAMILY_TELETYPE));
    configureForMaker(*code_);

    Bind(wxEVT_MENU, [this](wxCommandEvent&) { newExtension(); }, kNew);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { openExtension(); }, kOpen);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { save(); }, kSave);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { saveAs(); }, kSaveAs);
    Bind(wxEVT_MENU, [this](wxCommandEvent&) { exitProgram(); }, kExit);
    // The four shortcuts work wherever the focus is: a text field would otherwise take
    // Ctrl+X as Cut before the menu sees it.
    Bind(wxEVT_CHAR_HOOK, [this](wxKeyEvent& e) {
        if (e.GetModifiers() == wxMOD_CONTROL) {
            switch (e.GetKeyCode()) {
            case 'N': newExtension(); return;
            case 'O': openExtension(); return;
            case 'S': save(); return;
            case 'X': exitProgram(); return;
            default: break;
            }
        }
        e.Skip();
    });
    Bind(wxEVT_CLOSE_WINDOW, [this](wxCloseEvent& e) {
        readFields();
        if (e.CanVeto() && !document_.confirmExit()) {
            e.Veto();
            return;
        }
        Destroy();
    });
    Bind(wxEVT_SIZE, [this](wxSizeEvent& e) {
        e.Skip();
        layout();
    });
    SetClientSize(1024, 768);
    Centre();
    // The empty fields as the controls hold them are the unchanged state.
    readFields();
    document_.markUnchanged();
}

void MakerFrame::layout() {
    if (!code_) return;
    // The code editor keeps its place and follows the window's right and bottom edges.
    const wxSize c = GetClientSize();
    code_->SetSize(220, 35, std::max(kSmallestTextArea.width, c.x - 230), std::max(kSmallestTextArea.height, c.y - 65));
}

void MakerFrame::readFields() {
    ExtensionFields& f = document_.fields;
    f.name = fromWx(name_->GetValue());
    f.author = fromWx(author_->GetValue());
    f.description = toCrlf(fromWx(description_->GetValue()));
    f.help = toCrlf(fromWx(help_->GetValue()));
    f.code = code_->code();
}

void MakerFrame::showFields() {
    const ExtensionFields& f = document_.fields;
    name_->ChangeValue(toWx(f.name));
    author_->ChangeValue(toWx(f.author));
    description_->ChangeValue(toWxLines(f.description));
    help_->ChangeValue(toWxLines(f.help));
    code_->setCode(f.code);
    // What the controls show now is unchanged, as the controls give it back.
    readFields();
    document_.markUnchanged();
}

void MakerFrame::newExtension() {
    readFields();
    if (document_.newExtension()) showFields();
}

void MakerFrame::openExtension() {
    readFields();
    if (document_.open()) showFields();
}

void MakerFrame::save() {
    readFields();
    document_.save();
}

void MakerFrame::saveAs() {
    readFields();
    document_.saveAs();
}

bool MakerFrame::exitProgram() {
    readFields();
    if (!document_.confirmExit()) return false;
    Destroy();
    return true;
}

} // namespace pondaro::ui
