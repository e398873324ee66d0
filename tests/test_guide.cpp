// The user's guide (docs/guide.md) against the program: its key table lists
// exactly the keys the main window defines, every key it lists does something
// where the table says it works, and every picture it shows is there.
#include "Display_fixture.h"

#include "forms/dialogs/Help_window.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeySequence>
#include <QMenuBar>
#include <QRegularExpression>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextDocument>

#include <set>
#include <vector>

namespace {

const QString Guide_Path = QStringLiteral(VELMORA_TEST_DATA "/../../docs/guide.md");

QString Guide_Text()
{
    QFile file(Guide_Path);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

struct Guide_Key {
    QString key;
    QStringList where;
};

// The rows of the table under "## Keys"; a cell "Alt+F, Alt+R" names two keys.
std::vector<Guide_Key> Guide_Keys()
{
    const QString text = Guide_Text();
    const qsizetype at = text.indexOf(QStringLiteral("\n## Keys\n"));
    std::vector<Guide_Key> keys;
    if (at < 0)
        return keys;
    for (const QString& line : text.mid(at).split(QLatin1Char('\n'))) {
        const QStringList cells = line.split(QLatin1Char('|'));
        if (!line.startsWith(QLatin1Char('|')) || cells.size() < 5)
            continue;
        const QString first = cells[1].trimmed();
        if (first == QLatin1String("Key") || first.startsWith(QLatin1String("---")))
            continue;
        QStringList where;
        for (const QString& w : cells[2].split(QLatin1Char(',')))
            where << w.trimmed();
        for (const QString& k : first.split(QLatin1Char(',')))
            keys.push_back({k.trimmed(), where});
    }
    return keys;
}

std::set<QString> Keys_For(const std::vector<Guide_Key>& keys, const char* place)
{
    std::set<QString> found;
    for (const Guide_Key& k : keys)
        if (k.where.contains(QLatin1String(place)))
            found.insert(k.key);
    return found;
}

// The guide writes keys as they are printed on a keyboard; Qt has its own
// short names for some.
QString Qt_Name(QString key)
{
    key.replace(QStringLiteral("Page Up"), QStringLiteral("PgUp"));
    key.replace(QStringLiteral("Page Down"), QStringLiteral("PgDown"));
    return key;
}

QString Guide_Name(QString key)
{
    key.replace(QStringLiteral("PgUp"), QStringLiteral("Page Up"));
    key.replace(QStringLiteral("PgDown"), QStringLiteral("Page Down"));
    return key;
}

class Guide_Test : public Display_Fixture {
protected:
    void SetUp() override
    {
        Start_Tourney(QByteArray(), 20);
        form->show();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    }

    // Every key the main window defines: shortcuts on its commands, the keys
    // its menus print beside their items, and its menus' Alt letters.
    std::set<QString> Program_Keys() const
    {
        std::set<QString> keys;
        for (const QAction* a : form->findChildren<QAction*>()) {
            for (const QKeySequence& s : a->shortcuts())
                keys.insert(Guide_Name(s.toString()));
            const qsizetype tab = a->text().indexOf(QLatin1Char('\t'));
            if (tab >= 0)
                keys.insert(a->text().mid(tab + 1));
        }
        for (const QAction* a : form->menuBar()->actions()) {
            const QString letter = QKeySequence::mnemonic(a->text()).toString();
            if (!letter.isEmpty())
                keys.insert(letter);
        }
        return keys;
    }

    // What a key can change: the clock, the level, the display and its
    // full screen, an open menu.
    QString State() const
    {
        const TPlayers_Display* d = form->Display_Window();
        const THelp_Window* help = form->findChild<THelp_Window*>();
        return QStringLiteral("paused %1 level %2 time %3:%4 display %5 full %6 menu %7 help %8")
            .arg(form->Clock.Paused != 0)
            .arg(form->CurrentLevel)
            .arg(form->Clock.Minutes)
            .arg(form->Clock.Seconds)
            .arg(d && d->isVisible())
            .arg(d && d->isFullScreen())
            .arg(QApplication::activePopupWidget() != nullptr)
            .arg(help && help->isVisible());
    }

    // Stopped at level 2 with 12:34 left, no menu open: every key has
    // something to change.
    void Ready()
    {
        if (QWidget* popup = QApplication::activePopupWidget())
            popup->close();
        if (THelp_Window* help = form->findChild<THelp_Window*>())
            help->close();
        if (form->Clock.Paused == 0)
            form->Toggle_Start->trigger();
        form->CurrentLevel = 1;
        form->Clock.Minutes = 12;
        form->Clock.Seconds = 34;
    }

    // Presses the key in the widget; false when nothing changed.
    bool Press(QWidget* target, const QString& key)
    {
        const QKeySequence sequence = QKeySequence::fromString(Qt_Name(key));
        EXPECT_EQ(sequence.count(), 1) << key.toStdString();
        if (sequence.count() != 1)
            return false;
        const QString before = State();
        QTest::keyClick(target, sequence[0].key(), sequence[0].keyboardModifiers());
        return State() != before;
    }
};

TEST_F(Guide_Test, TheKeyTableListsExactlyTheKeysOfTheMainWindow)
{
    const std::vector<Guide_Key> keys = Guide_Keys();
    ASSERT_FALSE(keys.empty()) << "no key table in " << Guide_Path.toStdString();
    for (const Guide_Key& k : keys)
        for (const QString& w : k.where)
            EXPECT_TRUE(w == QLatin1String("main window") || w == QLatin1String("display")
                        || w == QLatin1String("dialogs"))
                << k.key.toStdString() << ": where is \"" << w.toStdString() << "\"?";

    const std::set<QString> program = Program_Keys();
    const std::set<QString> guide = Keys_For(keys, "main window");
    for (const QString& k : program)
        EXPECT_TRUE(guide.count(k)) << "the guide does not list " << k.toStdString();
    for (const QString& k : guide)
        EXPECT_TRUE(program.count(k)) << "the program has no key " << k.toStdString();

    // Each one does something in the main window, whatever has the focus
    // there (unless it takes typing).
    form->BitBtn2->setFocus();
    for (const QString& k : guide) {
        Ready();
        form->activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
        EXPECT_TRUE(Press(form->BitBtn2, k)) << k.toStdString() << " does nothing in the main window";
    }
}

TEST_F(Guide_Test, EveryKeyListedForTheDisplayWorksThere)
{
    const std::set<QString> listed = Keys_For(Guide_Keys(), "display");
    ASSERT_FALSE(listed.empty());
    // The clock's keys of the main window work in the display as well.
    for (const QAction* a : {form->StartStop1, form->NextLevel1, form->PrevLevel1, form->ResetLevel1}) {
        const QString key = a->text().section(QLatin1Char('\t'), 1);
        EXPECT_TRUE(listed.count(key)) << "the guide does not list " << key.toStdString() << " for the display";
    }
    for (const QString& k : listed) {
        Ready();
        TPlayers_Display* d = form->Display_Window();
        if (!d || !d->isVisible())
            d = Open_Display();
        ASSERT_NE(d, nullptr);
        if (d->isFullScreen())
            d->showNormal();
        EXPECT_TRUE(Press(d, k)) << k.toStdString() << " does nothing in the players' display";
    }
}

TEST_F(Guide_Test, EveryPictureOfTheGuideIsThere)
{
    const QString text = Guide_Text();
    const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
    int count = 0;
    for (const QRegularExpressionMatch& m : picture.globalMatch(text)) {
        const QString path = QFileInfo(Guide_Path).absolutePath() + QLatin1Char('/') + m.captured(1);
        EXPECT_TRUE(QFileInfo(path).isFile()) << m.captured(1).toStdString();
        EXPECT_TRUE(path.endsWith(QLatin1String(".png"))) << m.captured(1).toStdString();
        ++count;
    }
    EXPECT_GE(count, 10);
}

// F1 opens the guide inside the program, its pictures with it; without an
// installed guide the window says where it looked.
TEST_F(Guide_Test, F1ShowsTheGuideWithItsPictures)
{
    QTest::keyClick(form.get(), Qt::Key_F1);
    THelp_Window* help = form->findChild<THelp_Window*>();
    ASSERT_NE(help, nullptr);
    EXPECT_TRUE(help->isVisible());
    EXPECT_TRUE(help->Guide_Browser->toPlainText().contains(::Guide_Path())) << help->Guide_Browser->toPlainText().toStdString();
    help->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(help));
    QTest::keyClick(help->Guide_Browser, Qt::Key_Escape);
    EXPECT_FALSE(help->isVisible());

    // The guide as the build lays it out beside the program.
    const QString shipped = QStringLiteral(VELMORA_BUILD_DIR "/docs/");
    ASSERT_TRUE(QDir().mkpath(folder.path() + "docs/guide"));
    ASSERT_TRUE(QFile::copy(shipped + "guide.md", folder.path() + "docs/guide.md"));
    for (const QString& f : QDir(shipped + "guide").entryList({QStringLiteral("*.png")}))
        ASSERT_TRUE(QFile::copy(shipped + "guide/" + f, folder.path() + "docs/guide/" + f));
    form->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(form.get()));
    QTest::keyClick(form.get(), Qt::Key_F1);
    ASSERT_TRUE(help->isVisible());
    QTextDocument* doc = help->Guide_Browser->document();
    EXPECT_TRUE(doc->toPlainText().startsWith(QStringLiteral("Running a game night")));
    // Every picture of the text is in the document, as a picture.
    const QRegularExpression picture(QStringLiteral(R"(!\[[^\]]*\]\(([^)]+)\))"));
    QStringList wanted, shown;
    for (const QRegularExpressionMatch& m : picture.globalMatch(Guide_Text()))
        wanted << m.captured(1);
    for (QTextBlock b = doc->begin(); b != doc->end(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f)
            if (f.fragment().charFormat().isImageFormat())
                shown << f.fragment().charFormat().toImageFormat().name();
    EXPECT_EQ(shown.join(' ').toStdString(), wanted.join(' ').toStdString());
    for (const QString& name : shown) {
        const QVariant loaded = help->Guide_Browser->loadResource(QTextDocument::ImageResource, QUrl(name));
        EXPECT_FALSE(QImage::fromData(loaded.toByteArray()).isNull()) << name.toStdString();
    }
}

} // namespace

// F1 in a dialog that waits for an answer opens the guide as one of the
// dialog's windows (so the dialog does not block it); answered, the dialog
// leaves the guide open beside the main window.
TEST_F(Guide_Test, F1InADialogWaitingForAnAnswerOpensTheGuideOverIt)
{
    THelp_Window* over_dialog = nullptr;
    script.modal_scripts[QStringLiteral("Print_Dlg")] = [&](QDialog* d) {
        d->hide();
        d->setModal(true);   // as exec() shows it
        d->show();
        d->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(d));
        QTest::keyClick(d->focusWidget() ? d->focusWidget() : d, Qt::Key_F1);
        over_dialog = form->findChild<THelp_Window*>();
        EXPECT_TRUE(over_dialog && over_dialog->isVisible() && over_dialog->parentWidget() == d);
        return 0;
    };
    form->findChild<QAction*>(QStringLiteral("Save_Pdf"))->trigger();
    ASSERT_NE(over_dialog, nullptr);
    THelp_Window* after = form->findChild<THelp_Window*>();
    ASSERT_EQ(after, over_dialog);
    EXPECT_TRUE(after->isVisible());
    EXPECT_EQ(after->parentWidget(), form.get());
}
