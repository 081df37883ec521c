// The program's message boxes and questions. Every user-facing message of the engine goes through
// here, so the editor can show its own dialog, tests can record and script answers, and the command
// line can print.
#pragma once

#include <string>
#include <vector>

namespace brindle {

enum class BoxKind { Error = 0, Warning = 1 };

enum class QuestionKind { YesNo, YesNoCancel, OkCancel };

enum class Answer { Yes, No, Cancel, Ok };

// What a front end must provide. `showBox` is modal: it returns after the user closed the box.
// When `withOptOut` is true the box offers "Don't show these kinds of errors again"; the front end
// writes the user's choice through SetShowAgainFlag before returning.
class MessageUi {
  public:
    virtual ~MessageUi() = default;
    virtual void showBox(BoxKind kind, const std::string& text, bool withOptOut) = 0;
    virtual Answer ask(QuestionKind kind, const std::string& text, const std::string& title) = 0;
};

// Installs the process-wide front end; nullptr restores the default (prints to stderr, answers No).
// Returns the previous one so that scoped replacements can restore it.
MessageUi* SetMessageUi(MessageUi* ui);
MessageUi& CurrentMessageUi();

// Process-wide show-again flag: 1 = keep showing, 0 = the user ticked the opt-out box.
int ShowAgainFlag();
void SetShowAgainFlag(int value);

void ShowWarning(const std::string& text);
void ShowError(const std::string& text);
// Returns the show-again flag after the box closed.
int ShowWarningWithOptOut(const std::string& text);
// Never offers the check box; returns the current show-again flag.
int ShowErrorWithResult(const std::string& text);
// Shows "<prefix>: <system text for errno>" as a warning; the prefix is shown even without a text.
void ReportSystemError(const std::string& prefix, int errorCode);
void ReportSystemError(const std::string& prefix);

Answer AskQuestion(QuestionKind kind, const std::string& text, const std::string& title = "Brindle");

inline const char* kWarningTitle = "Brindle - Warning";
inline const char* kErrorTitle = "Brindle - Error";
inline const char* kOptOutText = "Don't show these kinds of errors again";

// Prints "warning: TEXT" / "error: TEXT" to stderr and answers every question with a fixed answer.
class StderrMessageUi : public MessageUi {
  public:
    explicit StderrMessageUi(Answer answer = Answer::No) : answer_(answer) {}
    void showBox(BoxKind kind, const std::string& text, bool withOptOut) override;
    Answer ask(QuestionKind kind, const std::string& text, const std::string& title) override;
    void setAnswer(Answer a) { answer_ = a; }

  private:
    Answer answer_;
};

// Records every box and question, answers from a script. Used by tests and by the command line's
// JSON output.
class RecordingMessageUi : public MessageUi {
  public:
    enum class Kind { Error, Warning, OptOut, Question };
    struct Entry {
        Kind kind;
        std::string text;
        std::string title;  // the box title, or the question's title
    };

    void showBox(BoxKind kind, const std::string& text, bool withOptOut) override;
    Answer ask(QuestionKind kind, const std::string& text, const std::string& title) override;

    // Answers handed out in order to questions; when they run out, `defaultAnswer` is used.
    std::vector<Answer> answers;
    Answer defaultAnswer = Answer::No;
    // When set, every opt-out box is answered by ticking the check box.
    bool tickOptOut = false;
    std::vector<Entry> entries;

    std::vector<std::string> texts() const;
    static const char* kindName(Kind k);
};

// Installs a front end for the lifetime of the object.
class ScopedMessageUi {
  public:
    explicit ScopedMessageUi(MessageUi& ui) : previous_(SetMessageUi(&ui)) {}
    ~ScopedMessageUi() { SetMessageUi(previous_); }
    ScopedMessageUi(const ScopedMessageUi&) = delete;
    ScopedMessageUi& operator=(const ScopedMessageUi&) = delete;

  private:
    MessageUi* previous_;
};

}  // namespace brindle
