#pragma once
// Help, "User's Guide" (F1): the guide that ships with the program
// (docs/guide.md and its pictures in the program folder) in a window of its
// own, so it can be read beside the main window and without internet. Esc
// closes it; a guide that is not there says where it was looked for. F1 opens
// it from any window of the program, a dialog waiting for an answer included:
// over such a dialog the guide stands as the dialog's own window, so it can be
// read and scrolled while the dialog is open.
#include <QObject>
#include <QPointer>
#include <QWidget>

class QAction;
class QPushButton;
class QTextBrowser;
class TMainForm;

// Program_Folder() + "docs/guide.md".
QString Guide_Path();

class THelp_Window : public QWidget {
    Q_OBJECT
public:
    explicit THelp_Window(QWidget* parent);

    QTextBrowser* Guide_Browser = nullptr;
    QPushButton* Contents_Btn = nullptr;   // back to the top of the guide
    QPushButton* Close_Btn = nullptr;

    // Reads the guide again (it may have been installed since).
    void Load_Guide();

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void Fit_Pictures();
};

class Help_Commands : public QObject {
    Q_OBJECT
public:
    explicit Help_Commands(TMainForm* form);

    QAction* User_Guide = nullptr;    // "User's Guide"
    QAction* UsersGuide1 = nullptr;   // Help menu item, F1
    THelp_Window* Window() const { return window_; }

protected:
    // F1 where the main window's shortcut does not reach.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void User_GuideExecute();
    TMainForm* form_;
    // Made when first asked for; a child of the main window, or of the dialog
    // that was waiting for an answer when it was asked for.
    QPointer<THelp_Window> window_;
};
