#pragma once

#include <QObject>

#include <functional>

namespace zendra {

struct AppState;
class TfrmJuku;
class TfrmPrint;
class TfrmSetPaper;
class TfrmSettei;
class WidgetMainPanel;

// The main window's layout commands: the answer-box dialog and the paper dialog, both kept
// for the whole run, the school name, the paper radio buttons and the reduced view.
class LayoutCommands : public QObject
{
    Q_OBJECT

public:
    // What the commands need of the main window.
    struct Context
    {
        std::function<TfrmPrint*()> activeSheet;
        std::function<void()> hidePanels;
        // Shows the answers when they are hidden, as the answers button does.
        std::function<void()> showAnswers;
        std::function<void()> scroll;
    };

    // The dialogs open over `window`.
    LayoutCommands(QWidget* window, AppState& state, WidgetMainPanel& panel, Context context);

    bool reduced() const { return reduced_; }

    // 解答欄の設定: the answers are shown while the dialog edits the active sheet.
    void answerBoxes();
    // 用紙の設定.
    void choosePaper();
    // 塾名の設定; the name is remembered for the next run.
    void schoolName();
    // The paper radio buttons: the active sheet takes the paper (back to full size first).
    void applyPaper(int width);
    // 縮小/拡大: the active sheet shows its reduced page or the full one; the button's new
    // caption.
    QString toggleReduced();

private:
    QWidget* window_;
    AppState& state_;
    WidgetMainPanel& panel_;
    Context context_;
    bool reduced_ = false;
    TfrmSettei* frmSettei_;
    TfrmSetPaper* frmSetPaper_;
};

} // namespace zendra
