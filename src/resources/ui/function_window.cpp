#include "resources/ui/function_window.h"

#include "code/ui/code_editor.h"
#include "project/naming.h"
#include "resources/record_windows.h"
#include "resources/ui/record_window.h"
#include "ui/form_layout.h"
#include "ui/wx_text.h"

namespace pondaro::ui {

namespace {

class FunctionWindow : public RecordWindow {
public:
    FunctionWindow(Studio& studio, wxWindow* mainWindow, const GameFunction& f, std::function<void()> rebuildPanel)
        : RecordWindow(studio, mainWindow, ResourceKind::Function, f.name, f.keywords, std::move(rebuildPanel)) {
        params_ = formField(panel(), toWx(f.params), 300, "params");
        code_ = new CodeEditor(panel());
        code_->SetName("code");
        code_->SetMinSize(wxSize(400, 300));
        configureForStudio(*code_, studio);
        code_->setCode(f.code);
        auto* content = new wxBoxSizer(wxVERTICAL);
        content->Add(captionedRow(panel(), "Parameters", 0, params_), 0, wxEXPAND | wxBOTTOM, 10);
        content->Add(code_, 1, wxEXPAND);
        layOut(content, wxSize(800, 600));
        code_->SetFocus();
    }

protected:
    bool applyFields(const std::string& name, const std::string& keywords) override {
        Project& p = studio_.project;
        const size_t index = indexForApply(p.fns, record());
        GameFunction fields = index < p.fns.size() ? p.fns[index] : GameFunction{};
        fields.name = name;
        fields.keywords = keywords;
        fields.params = fromWx(params_->GetValue());
        fields.code = code_->code();
        return showApplyResult(applyFunction(p, index, fields), studio_.dialogs);
    }

private:
    wxTextCtrl* params_ = nullptr;
    CodeEditor* code_ = nullptr;
};

} // namespace

void openFunctionWindow(Studio& studio, wxWindow* mainWindow, const std::string& name,
                        std::function<void()> rebuildPanel) {
    if (raiseOrRefuse(studio, ResourceKind::Function, name)) return;
    new FunctionWindow(studio, mainWindow, studio.project.fns[studio.project.fns.find(name)], std::move(rebuildPanel));
}

} // namespace pondaro::ui
