#pragma once
// The code editor component: a wxStyledTextCtrl that the program colours itself
// (container lexing) through the core colouring engine, with folding on braces, a
// line-number margin sized to the line count, and typing help (completion of engine
// words and resource names, call tips with an engine function's syntax).
#include <string>
#include <vector>
#include <wx/stc/stc.h>

#include "code/colouring.h"
#include "code/completion.h"
#include "code/editor_scheme.h"
#include "code/keywords.h"
#include "code/line_styler.h"

namespace pondaro {
struct Studio;
}

namespace pondaro::ui {

class CodeEditor : public wxStyledTextCtrl {
public:
    // Creates the control with the fixed set-up: UTF-8, container lexing, the fold
    // margin with box markers, the line-number margin, tab width 4.
    CodeEditor(wxWindow* parent, wxWindowID id = wxID_ANY, const wxPoint& pos = wxDefaultPosition,
               const wxSize& size = wxDefaultSize);

    // Applies colours, font and word lists, and colours the whole text again. Typing
    // help is off until enableTypingHelp.
    void configure(const EditorScheme& scheme, ColourWords words);
    // Turns on completion (Ctrl+Space, and after three typed letters) and call tips.
    // `engine` must outlive the editor.
    void enableTypingHelp(CompletionWords words, const std::vector<KeywordEntry>* engine);

    // Replaces the whole text, clears the undo history and colours everything.
    void setCode(const std::string& text);
    std::string code() const;

    // The keyword entry of the engine word at the caret, or -1.
    int helpEntry(const std::vector<KeywordEntry>& entries) const;

    // The pixel width the line-number margin should have for the current line count:
    // the width of as many "9" as the count has digits, and the room Scintilla keeps
    // right of the numbers.
    int lineNumberMarginWidth();

    // The last styling pass, for checking how much an edit recoloured.
    const StyleRun& lastStyleRun() const { return lastRun_; }
    const EditorScheme& scheme() const { return scheme_; }

    // Shows the completion list for the word before the caret (what Ctrl+Space does);
    // never inside a comment or a string. Return accepts a word from the list only
    // after the user has moved into it with the arrow or page keys.
    void showCompletions();

private:
    void onStyleNeeded(wxStyledTextEvent& e);
    void onModified(wxStyledTextEvent& e);
    void onCharAdded(wxStyledTextEvent& e);
    void onKeyDown(wxKeyEvent& e);
    void updateLineNumberMargin();
    void updateCallTip();
    // The caret's line up to the caret, as UTF-8 bytes.
    std::string lineBeforeCaret() const;
    // Whether the caret stands in a comment or a string (colouring the lines above it
    // first when they are not coloured yet).
    bool caretInCommentOrString();

    EditorScheme scheme_;
    ColourWords words_;
    ChangedText changed_;
    StyleRun lastRun_;
    size_t marginDigits_ = 0;
    bool typingHelp_ = false;
    // The user moved into the open completion list with the arrow or page keys.
    bool listEntered_ = false;
    bool styling_ = false;
    CompletionWords completions_;
    const std::vector<KeywordEntry>* engine_ = nullptr;
};

// The studio's set-up: colours and font from the preferences, the engine words and
// the open project's resource names, typing help on.
void configureForStudio(CodeEditor& editor, const Studio& studio);
// The extension maker's fixed colours and reduced separators; no typing help.
void configureForMaker(CodeEditor& editor);

wxColour toColour(int value);

} // namespace pondaro::ui
