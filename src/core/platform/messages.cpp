#include "platform/messages.h"

#include <cerrno>
#include <cstring>
#include <iostream>

namespace brindle {
namespace {

StderrMessageUi& fallbackUi() {
    static StderrMessageUi ui;
    return ui;
}

MessageUi* g_ui = nullptr;
int g_showAgain = 1;

}  // namespace

MessageUi* SetMessageUi(MessageUi* ui) {
    MessageUi* previous = g_ui;
    g_ui = ui;
    return previous;
}

MessageUi& CurrentMessageUi() {
    return g_ui ? *g_ui : fallbackUi();
}

int ShowAgainFlag() {
    return g_showAgain;
}
void SetShowAgainFlag(int value) {
    g_showAgain = value;
}

void ShowWarning(const std::string& text) {
    CurrentMessageUi().showBox(BoxKind::Warning, text, false);
}

void ShowError(const std::string& text) {
    CurrentMessageUi().showBox(BoxKind::Error, text, false);
}

int ShowWarningWithOptOut(const std::string& text) {
    CurrentMessageUi().showBox(BoxKind::Warning, text, true);
    return g_showAgain;
}

int ShowErrorWithResult(const std::string& text) {
    CurrentMessageUi().showBox(BoxKind::Error, text, false);
    return g_showAgain;
}

void ReportSystemError(const std::string& prefix, int errorCode) {
    const char* sys = errorCode != 0 ? std::strerror(errorCode) : "";
    ShowWarning(prefix + ": " + (sys ? sys : ""));
}

void ReportSystemError(const std::string& prefix) {
    ReportSystemError(prefix, errno);
}

Answer AskQuestion(QuestionKind kind, const std::string& text, const std::string& title) {
    return CurrentMessageUi().ask(kind, text, title);
}

void StderrMessageUi::showBox(BoxKind kind, const std::string& text, bool) {
    std::cerr << (kind == BoxKind::Warning ? "warning: " : "error: ") << text << '\n';
}

Answer StderrMessageUi::ask(QuestionKind kind, const std::string& text, const std::string&) {
    Answer a = answer_;
    if (kind == QuestionKind::OkCancel)
        a = (a == Answer::Yes || a == Answer::Ok) ? Answer::Ok : Answer::Cancel;
    if (kind == QuestionKind::YesNo && a == Answer::Cancel) a = Answer::No;
    std::cerr << "question: " << text << " -> "
              << (a == Answer::Yes  ? "yes"
                  : a == Answer::No ? "no"
                  : a == Answer::Ok ? "ok"
                                    : "cancel")
              << '\n';
    return a;
}

void RecordingMessageUi::showBox(BoxKind kind, const std::string& text, bool withOptOut) {
    Kind k = withOptOut ? Kind::OptOut : (kind == BoxKind::Warning ? Kind::Warning : Kind::Error);
    entries.push_back({k, text, kind == BoxKind::Warning ? kWarningTitle : kErrorTitle});
    if (withOptOut && tickOptOut) SetShowAgainFlag(0);
}

Answer RecordingMessageUi::ask(QuestionKind, const std::string& text, const std::string& title) {
    entries.push_back({Kind::Question, text, title});
    if (answers.empty()) return defaultAnswer;
    Answer a = answers.front();
    answers.erase(answers.begin());
    return a;
}

std::vector<std::string> RecordingMessageUi::texts() const {
    std::vector<std::string> out;
    for (const auto& e : entries) out.push_back(e.text);
    return out;
}

const char* RecordingMessageUi::kindName(Kind k) {
    switch (k) {
        case Kind::Error:
            return "error";
        case Kind::Warning:
            return "warning";
        case Kind::OptOut:
            return "optout";
        case Kind::Question:
            return "question";
    }
    return "?";
}

}  // namespace brindle
