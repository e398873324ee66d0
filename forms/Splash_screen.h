#pragma once
// The splash screen: the title artwork with the version and copyright lines,
// shown modally while the main window is created. It closes itself when
// Timer1 fires, five seconds after it was created.
#include <QDialog>

class QLabel;
class QTimer;

class TSplash : public QDialog {
    Q_OBJECT
public:
    explicit TSplash(QWidget* parent = nullptr);
    ~TSplash() override;

    QLabel* Image1 = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QTimer* Timer1 = nullptr;

    void Timer1Timer();

protected:
    void showEvent(QShowEvent* event) override;
};

// The splash while it exists (set by its constructor, cleared by its destructor).
extern TSplash* Splash;

// Start-up: paints the splash artwork on another thread while the main window
// is being built, so the splash appears sooner. The splash takes the picture
// from there when it was started, and paints it itself otherwise.
void Start_Painting_Splash();
