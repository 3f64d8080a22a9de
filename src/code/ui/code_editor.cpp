#include "code/ui/code_editor.h"

#include <algorithm>

#include "app/studio.h"
#include "code/ui/code_fonts.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

wxColour toColour(int value) { return wxColour(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF); }

namespace {

// The control seen through the styler's eyes.
class EditorTarget : public StyleTarget {
public:
    EditorTarget(wxStyledTextCtrl& stc, const EditorScheme& scheme) : stc_(stc), scheme_(scheme) {}

    size_t lineCount() const override { return size_t(stc_.GetLineCount()); }
    std::string lineBytes(size_t line) const override {
        const wxCharBuffer raw = stc_.GetLineRaw(int(line));
        return std::string(raw.data(), raw.length());
    }
    int lineState(size_t line) const override { return stc_.GetLineState(int(line)); }
    void setLineState(size_t line, int state) override { stc_.SetLineState(int(line), state); }
    void setLineColours(size_t line, const std::vector<Colour>& colours) override {
        if (!started_) {
            stc_.StartStyling(stc_.PositionFromLine(int(line)));
            started_ = true;
        }
        styles_.resize(colours.size());
        for (size_t i = 0; i < colours.size(); ++i) styles_[i] = char(scheme_.styleFor(colours[i]));
        if (!styles_.empty()) stc_.SetStyleBytes(int(styles_.size()), styles_.data());
    }
    void setFoldLevel(size_t line, int depth, bool header) override {
        int level = wxSTC_FOLDLEVELBASE + std::clamp(depth, 0, 0xFFF - wxSTC_FOLDLEVELBASE - 1);
        if (header) level |= wxSTC_FOLDLEVELHEADERFLAG;
        if (stc_.GetFoldLevel(int(line)) != level) stc_.SetFoldLevel(int(line), level);
    }

private:
    wxStyledTextCtrl& stc_;
    const EditorScheme& scheme_;
    std::vector<char> styles_;
    bool started_ = false;
};

bool isWordChar(int c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_'; }

} // namespace

CodeEditor::CodeEditor(wxWindow* parent, wxWindowID id, const wxPoint& pos, const wxSize& size)
    : wxStyledTextCtrl(parent, id, pos, size) {
    SetCodePage(wxSTC_CP_UTF8);
    SetLexer(wxSTC_LEX_CONTAINER);
    SetTabWidth(4);
    SetEOLMode(wxSTC_EOL_CRLF);

    SetMarginType(0, wxSTC_MARGIN_NUMBER);
    SetMarginWidth(1, 0);
    SetMarginType(2, wxSTC_MARGIN_SYMBOL);
    SetMarginMask(2, wxSTC_MASK_FOLDERS);
    SetMarginSensitive(2, true);
    SetMarginWidth(2, 24);
    const wxColour fore(*wxWHITE), back(128, 128, 128);
    MarkerDefine(wxSTC_MARKNUM_FOLDEROPEN, wxSTC_MARK_BOXMINUS, fore, back);
    MarkerDefine(wxSTC_MARKNUM_FOLDER, wxSTC_MARK_BOXPLUS, fore, back);
    MarkerDefine(wxSTC_MARKNUM_FOLDERSUB, wxSTC_MARK_VLINE, fore, back);
    MarkerDefine(wxSTC_MARKNUM_FOLDERTAIL, wxSTC_MARK_LCORNER, fore, back);
    MarkerDefine(wxSTC_MARKNUM_FOLDEREND, wxSTC_MARK_BOXPLUSCONNECTED, fore, back);
    MarkerDefine(wxSTC_MARKNUM_FOLDEROPENMID, wxSTC_MARK_BOXMINUSCONNECTED, fore, back);
    MarkerDefine(wxSTC_MARKNUM_FOLDERMIDTAIL, wxSTC_MARK_TCORNER, fore, back);
    // Scintilla folds and unfolds on margin clicks and keeps folds open when an edit
    // removes their header.
    SetAutomaticFold(wxSTC_AUTOMATICFOLD_SHOW | wxSTC_AUTOMATICFOLD_CLICK | wxSTC_AUTOMATICFOLD_CHANGE);
    SetFoldFlags(wxSTC_FOLDFLAG_LINEAFTER_CONTRACTED);

    AutoCompSetIgnoreCase(true);
    AutoCompSetAutoHide(true);
    AutoCompSetMaxHeight(10);

    Bind(wxEVT_STC_STYLENEEDED, &CodeEditor::onStyleNeeded, this);
    Bind(wxEVT_STC_MODIFIED, &CodeEditor::onModified, this);
    Bind(wxEVT_STC_CHARADDED, &CodeEditor::onCharAdded, this);
    Bind(wxEVT_KEY_DOWN, &CodeEditor::onKeyDown, this);
    updateLineNumberMargin();
}

void CodeEditor::configure(const EditorScheme& scheme, ColourWords words) {
    scheme_ = scheme;
    words_ = std::move(words);
    typingHelp_ = false;  // on again only through enableTypingHelp
    engine_ = nullptr;

    StyleSetFont(wxSTC_STYLE_DEFAULT, namedFont(scheme.fontFamily, scheme.fontSize, false, wxFONTFAMILY_TELETYPE));
    StyleSetForeground(wxSTC_STYLE_DEFAULT, toColour(scheme.text));
    StyleSetBackground(wxSTC_STYLE_DEFAULT, *wxWHITE);
    StyleClearAll();  // every style starts from the default's font and colours
    SetSelForeground(true, toColour(scheme.selectionFore));
    SetSelBackground(true, toColour(scheme.selectionBack));
    SetCaretLineVisible(true);
    SetCaretLineBackground(toColour(scheme.caretLine));
    SetTabWidth(4);
    SetMarginWidth(2, 24);
    for (const StyleSpec& s : scheme.styles) {
        StyleSetForeground(s.number, toColour(s.colour));
        StyleSetItalic(s.number, s.italic);
        StyleSetBold(s.number, s.bold);
    }
    marginDigits_ = 0;  // the font changed: measure again
    updateLineNumberMargin();
    changed_.changedUpTo(size_t(GetLength()));
    Colourise(0, -1);
}

void CodeEditor::enableTypingHelp(CompletionWords words, const std::vector<KeywordEntry>* engine) {
    completions_ = std::move(words);
    engine_ = engine;
    typingHelp_ = true;
}

void CodeEditor::setCode(const std::string& text) {
    // New lines are typed with the line end the text already uses.
    if (text.find("\r\n") != std::string::npos) SetEOLMode(wxSTC_EOL_CRLF);
    else if (text.find('\n') != std::string::npos) SetEOLMode(wxSTC_EOL_LF);
    else if (text.find('\r') != std::string::npos) SetEOLMode(wxSTC_EOL_CR);
    else SetEOLMode(wxSTC_EOL_CRLF);
    ClearAll();
    if (!text.empty()) AddTextRaw(text.data(), int(text.size()));
    EmptyUndoBuffer();
    SetSavePoint();
    GotoPos(0);
    changed_.changedUpTo(size_t(GetLength()));
    Colourise(0, -1);
}

std::string CodeEditor::code() const {
    const int length = GetLength();
    if (length == 0) return {};
    const wxCharBuffer raw = const_cast<CodeEditor*>(this)->GetTextRangeRaw(0, length);
    return std::string(raw.data(), size_t(length));
}

int CodeEditor::helpEntry(const std::vector<KeywordEntry>& entries) const {
    const std::string line = lineBeforeCaret();
    const int lineNo = const_cast<CodeEditor*>(this)->GetCurrentLine();
    const wxCharBuffer raw = const_cast<CodeEditor*>(this)->GetLineRaw(lineNo);
    std::string whole(raw.data(), raw.length());
    while (!whole.empty() && (whole.back() == '\n' || whole.back() == '\r')) whole.pop_back();
    return currentHelpEntry(whole, line.size(), entries);
}

std::string CodeEditor::lineBeforeCaret() const {
    const int pos = GetCurrentPos();
    const int start = PositionFromLine(LineFromPosition(pos));
    if (pos <= start) return {};
    const wxCharBuffer raw = const_cast<CodeEditor*>(this)->GetTextRangeRaw(start, pos);
    return std::string(raw.data(), size_t(pos - start));
}

int CodeEditor::lineNumberMarginWidth() {
    // Scintilla draws the numbers 3 pixels left of the margin's right edge; without
    // that room the widest number loses part of its first digit.
    constexpr int kNumberPadding = 4;
    return TextWidth(wxSTC_STYLE_LINENUMBER, toWx(lineNumberSample(size_t(GetLineCount())))) + kNumberPadding;
}

void CodeEditor::updateLineNumberMargin() {
    const size_t digits = lineNumberSample(size_t(GetLineCount())).size();
    if (digits == marginDigits_) return;
    marginDigits_ = digits;
    SetMarginWidth(0, lineNumberMarginWidth());
}

void CodeEditor::onStyleNeeded(wxStyledTextEvent&) {
    // Setting a fold level can make Scintilla ask for styling again (it looks for the
    // fold's last line); the pass under way colours those lines anyway.
    if (styling_) return;
    styling_ = true;
    const size_t lines = size_t(GetLineCount());
    const size_t first = size_t(LineFromPosition(GetEndStyled()));
    // Without a record of what changed, everything from the first line asked for is
    // coloured again.
    const size_t mustReach = changed_.end() ? size_t(LineFromPosition(int(*changed_.end()))) : lines - 1;
    EditorTarget target(*this, scheme_);
    lastRun_ = styleLines(target, words_, first, mustReach);
    changed_.clear();
    // Every line after the last one coloured keeps the colours it had.
    StartStyling(GetLength());
    styling_ = false;
}

void CodeEditor::onModified(wxStyledTextEvent& e) {
    const int type = e.GetModificationType();
    if (type & wxSTC_MOD_INSERTTEXT) changed_.inserted(size_t(e.GetPosition()), size_t(e.GetLength()));
    if (type & wxSTC_MOD_DELETETEXT) changed_.deleted(size_t(e.GetPosition()), size_t(e.GetLength()));
    if (e.GetLinesAdded() != 0) updateLineNumberMargin();
    e.Skip();
}

bool CodeEditor::caretInCommentOrString() {
    const int line = GetCurrentLine();
    bool commentOpenBefore = false;
    if (line > 0) {
        // The state a line carries into the next is known once the lines above are
        // coloured; the styles of what was just typed may not be yet.
        const int lineStart = PositionFromLine(line);
        if (GetEndStyled() < lineStart) Colourise(GetEndStyled(), lineStart);
        if (auto carried = unpackLineState(GetLineState(line - 1))) commentOpenBefore = carried->commentOpen;
    }
    return !completionMayOpen(lineBeforeCaret(), commentOpenBefore);
}

void CodeEditor::showCompletions() {
    if (!typingHelp_ || caretInCommentOrString()) return;
    const std::string before = lineBeforeCaret();
    const std::string word(wordBeforeCaret(before, before.size()));
    const std::vector<std::string> list = word.empty() ? completions_.words() : completions_.candidates(word);
    if (list.empty()) return;
    std::string joined;
    for (const std::string& w : list) {
        if (!joined.empty()) joined += ' ';
        joined += w;
    }
    AutoCompShow(int(word.size()), toWx(joined));
    listEntered_ = false;
}

void CodeEditor::updateCallTip() {
    if (!engine_) return;
    const std::string before = lineBeforeCaret();
    auto tip = callTipAt(before, before.size(), *engine_);
    if (!tip) {
        if (CallTipActive()) CallTipCancel();
        return;
    }
    CallTipShow(GetCurrentPos(), toWx(tip->text));
    if (tip->highlightEnd > tip->highlightStart) CallTipSetHighlight(int(tip->highlightStart), int(tip->highlightEnd));
}

void CodeEditor::onCharAdded(wxStyledTextEvent& e) {
    e.Skip();
    if (!typingHelp_) return;
    const int c = e.GetKey();
    if (c == '(' || c == ')' || c == ',' || CallTipActive()) updateCallTip();
    if (isWordChar(c) && !AutoCompActive()) {
        const std::string before = lineBeforeCaret();
        if (wordBeforeCaret(before, before.size()).size() >= 3) showCompletions();
    }
}

void CodeEditor::onKeyDown(wxKeyEvent& e) {
    const int key = e.GetKeyCode();
    if (key == WXK_SPACE && e.ControlDown() && !e.AltDown() && !e.ShiftDown()) {
        showCompletions();
        return;
    }
    if (AutoCompActive()) {
        switch (key) {
        case WXK_UP: case WXK_DOWN: case WXK_PAGEUP: case WXK_PAGEDOWN:
        case WXK_NUMPAD_UP: case WXK_NUMPAD_DOWN: case WXK_NUMPAD_PAGEUP: case WXK_NUMPAD_PAGEDOWN:
            listEntered_ = true;
            break;
        case WXK_RETURN: case WXK_NUMPAD_ENTER:
            // The list pops up by itself while a word is typed: Return takes a word from
            // it only when the user went into the list, and otherwise ends the line.
            if (!listEntered_) AutoCompCancel();
            break;
        default: break;
        }
    }
    e.Skip();
}

void configureForStudio(CodeEditor& editor, const Studio& studio) {
    editor.configure(studioScheme(studio.prefs), studioColourWords(studio.keywords, &studio.project));
    editor.enableTypingHelp(CompletionWords(studio.keywords, &studio.project), &studio.keywords);
}

void configureForMaker(CodeEditor& editor) { editor.configure(makerScheme(), makerColourWords()); }

} // namespace pondaro::ui
