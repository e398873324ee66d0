#pragma once
// The playlist editor: builds and edits the ".m3u" playlists that the clock
// can take its level-end music from. Created once, when first needed, and shown
// modally from the main window, which sets PlaylistName before showing it and
// reads it back afterwards.
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>

class QAction;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTimer;

class TPlaylist_Form : public QDialog {
    Q_OBJECT
public:
    explicit TPlaylist_Form(QWidget* parent = nullptr);
    ~TPlaylist_Form() override;

    // Full path of the playlist being edited; "" for none.
    QString PlaylistName;
    // The list has changes that were not written.
    bool Modified = false;
    // Receives a file's lines before they go into the list.
    QStringList LoadBuffer;

    // ---- components ----
    QLabel* List_Name_Label = nullptr; // "File Name: "
    QLineEdit* List_Name = nullptr;
    QLineEdit* Selected_File = nullptr;
    QListWidget* Play_List = nullptr;
    QPushButton* BitBtn1 = nullptr;  // Add
    QPushButton* BitBtn2 = nullptr;  // Remove
    QPushButton* BitBtn3 = nullptr;  // Up
    QPushButton* BitBtn4 = nullptr;  // Down
    QPushButton* BitBtn6 = nullptr;  // New
    QPushButton* Save_Btn = nullptr; // Save
    QPushButton* BitBtn5 = nullptr;  // Open
    QPushButton* Button1 = nullptr;  // Close
    QTimer* Timer1 = nullptr;

    // ---- command list ActionList1 ----
    QList<QAction*> ActionList1;
    QAction* Add_Song = nullptr;
    QAction* Remove_Song = nullptr;
    QAction* Up_Song = nullptr;
    QAction* Down_Song = nullptr;
    QAction* Save_List = nullptr;
    QAction* Open_List = nullptr;
    QAction* File_Display = nullptr;
    QAction* New_List = nullptr;

    // Every second: Save is enabled exactly while the list has unsaved changes.
    void Timer1Timer();

public slots:
    // Closing (Close button, close box, Esc): unsaved changes are offered for
    // saving first. A save that fails keeps the editor open.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    bool FormClose();
    bool Offer_Save();
    bool Write_List();
    void Show_Selected_File();

    void Add_SongExecute();
    void Remove_SongExecute();
    void Up_SongExecute();
    void Down_SongExecute();
    void Save_ListExecute();
    void Open_ListExecute();
    void File_DisplayExecute();
    void New_ListExecute();

    QAction* Make_Action(const char* name, const QString& caption, const QString& hint,
                         void (TPlaylist_Form::*handler)());
    void Build_Layout();
    int First_Selected_Row() const;
    QStringList Rows() const;
    void Show_Rows(const QStringList& rows);
    void Move_Selected(int from, int to);
};

extern TPlaylist_Form* Playlist_Form;
