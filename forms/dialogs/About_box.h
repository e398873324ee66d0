#pragma once
// The About box: the program's picture, product name, version and copyright.
// Created once, when first shown (the texts are read then), and shown modally by the
// main window's Launch_About; closing hides it for the next showing.
#include <QDialog>

class QFrame;
class QLabel;
class QPushButton;

class TAboutBox : public QDialog {
    Q_OBJECT
public:
    explicit TAboutBox(QWidget* parent = nullptr);

    QFrame* Panel1 = nullptr;
    QLabel* ProgramIcon = nullptr;
    QLabel* ProductName = nullptr;
    QLabel* Version = nullptr;
    QLabel* Copyright = nullptr;
    QPushButton* OKButton = nullptr;

    void OKButtonClick();

protected:
    void showEvent(QShowEvent* event) override;
};

extern TAboutBox* AboutBox;
