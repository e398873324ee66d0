// The player entry dialog in add and edit mode: what it stores in the player
// database, what it refuses, and the question before unsaved changes go.
#include "Main_window_test.h"
#include "Roster_data.h"

#include "model/Player.h"

#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>

namespace {

class Player_Entry_Test : public Main_Window_Test {
protected:
    QByteArray Database() const { return folder.Read("Data/PdB.data"); }
    QStringList Keys() const
    {
        CPlayerDB db;
        db.Load();
        QStringList keys;
        for (int i = 0; i < db.Count; ++i)
            keys << db.Player[i].Key();
        return keys;
    }

    // Shows the dialog as "New..." does, runs the script on it, and tells
    // whether the dialog was still open when the script ended.
    bool Add(const std::function<void()>& work) { return Show(true, 0, work); }
    bool Edit(int slot, const std::function<void()>& work) { return Show(false, slot, work); }

    bool Show(bool add, int slot, const std::function<void()>& work)
    {
        bool open = false;
        script.modal_scripts["PlayerEntry_Form"] = [&](QDialog* d) {
            work();
            open = d->isVisible();
            return 0;
        };
        entry->AddMode = add;
        Player_DB.Cursor = slot;
        entry->EditedRecord = add ? &Player_Buf : &Player_DB.Current();
        host().Show_Modal(entry.get());
        return open;
    }

    void Type(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        QTest::keyClicks(edit, text);
    }
    // Text the key simulation cannot type (letters beyond ASCII), as an input
    // method or a paste puts it in.
    void Put(QLineEdit* edit, const QString& text)
    {
        edit->selectAll();
        edit->insert(text);
    }
};

TEST_F(Player_Entry_Test, EachShowingStartsCleanInItsMode)
{
    Store_Player("Ann", "Lee", "555-0101", "Annie", "555-0199");
    Start();
    Add([&] {
        EXPECT_EQ(entry->windowTitle(), QStringLiteral("Add Player"));
        for (QLineEdit* e : {entry->First_Edit, entry->Last_Edit, entry->Aka_Edit, entry->Phone_Edit, entry->Cell_Edit}) {
            EXPECT_TRUE(e->text().isEmpty());
            EXPECT_EQ(e->maxLength(), 19);
        }
        EXPECT_FALSE(entry->Save_Button->isEnabled());
        EXPECT_EQ(entry->Save_Button->text(), QStringLiteral("Save"));
        QTest::keyClicks(entry->Cell_Edit, "5");
        EXPECT_TRUE(entry->Save_Button->isEnabled());
        EXPECT_TRUE(entry->Modified);
        script.answers.push_back(Answer::No);
        entry->Close_Button->click();
    });
    Edit(0, [&] {
        EXPECT_EQ(entry->windowTitle(), QStringLiteral("Edit Player"));
        EXPECT_EQ(entry->First_Edit->text(), QStringLiteral("Ann"));
        EXPECT_EQ(entry->Aka_Edit->text(), QStringLiteral("Annie"));
        EXPECT_EQ(entry->Cell_Edit->text(), QStringLiteral("555-0199"));
        // Filling the boxes is no change: closing asks nothing.
        EXPECT_FALSE(entry->Save_Button->isEnabled());
        EXPECT_FALSE(entry->Modified);
        entry->Close_Button->click();
        EXPECT_FALSE(entry->isVisible());
    });
    ASSERT_EQ(script.messages.size(), 1u); // only the question of the first showing
    EXPECT_EQ(script.messages[0].text, QStringLiteral("Save changes to Player?"));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Player Information"));
    EXPECT_EQ(script.messages[0].buttons, Buttons::Yes_No);
}

TEST_F(Player_Entry_Test, TabOrderRunsThroughTheBoxesToTheButtons)
{
    Start();
    QWidget* expected[] = {entry->Last_Edit, entry->Aka_Edit, entry->Phone_Edit, entry->Cell_Edit,
                           entry->Save_Button, entry->Close_Button};
    QWidget* w = entry->First_Edit;
    for (QWidget* next : expected) {
        w = w->nextInFocusChain();
        while (w->focusPolicy() == Qt::NoFocus)
            w = w->nextInFocusChain();
        EXPECT_EQ(w, next);
    }
}

TEST_F(Player_Entry_Test, AddingADuplicateKeyIsRefusedAndTheCaseMakesItNew)
{
    Store_Player("Ann", "Lee");
    Start();
    const QByteArray before = Database();
    const bool open = Add([&] {
        Type(entry->First_Edit, "Ann");
        Type(entry->Last_Edit, "Lee");
        Type(entry->Phone_Edit, "555-0102");
        entry->Save_Button->click();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(script.messages[0].text, QStringLiteral("Can't add dublicate name to Players list"));
        EXPECT_EQ(script.messages[0].caption, QStringLiteral("Player Add"));
        EXPECT_TRUE(entry->isVisible());
        EXPECT_EQ(entry->Phone_Edit->text(), QStringLiteral("555-0102"));
        EXPECT_EQ(Database(), before);

        // Another case is another key, but most likely the same person:
        // asked, and kept out unless the operator says Yes.
        Type(entry->Last_Edit, "lee");
        entry->Save_Button->click();
        ASSERT_EQ(script.messages.size(), 2u);
        EXPECT_EQ(script.messages[1].buttons, Buttons::Yes_No_Default_No);
        EXPECT_TRUE(script.messages[1].text.startsWith("Ann,lee is already in the database as Ann,Lee"));
        EXPECT_TRUE(entry->isVisible());
        EXPECT_EQ(Database(), before);
        script.answers.push_back(Answer::Yes);
        entry->Save_Button->click();
    });
    EXPECT_FALSE(open);
    EXPECT_EQ(script.messages.size(), 3u);
    EXPECT_EQ(Keys(), (QStringList{"Ann,Lee", "Ann,lee"}));
    EXPECT_EQ(Player_DB.Count, 2);
}

TEST_F(Player_Entry_Test, EditingKeepsTheOwnKeyAndRefusesAnotherPlayers)
{
    Store_Player("Ann", "Lee");
    Store_Player("Bob", "Day");
    Store_Player("Cy", "Oh");
    Start();

    // Unchanged name: the key is the player's own, no duplicate message.
    Edit(1, [&] {
        Type(entry->Phone_Edit, "555-0303");
        entry->Save_Button->click();
    });
    EXPECT_TRUE(script.messages.empty());
    Player_DB.Load();
    EXPECT_EQ(Field_Text(Player_DB.Player[1].Phone, Player_Text_Size), QStringLiteral("555-0303"));

    // A first name that makes another player's key is refused; the Cursor
    // stays on the record being edited.
    const bool open = Edit(1, [&] {
        Type(entry->First_Edit, "Ann");
        Type(entry->Last_Edit, "Lee");
        entry->Save_Button->click();
        EXPECT_TRUE(entry->isVisible());
        EXPECT_EQ(Player_DB.Cursor, 1);
        // So is a last name that does (two records with one key could not
        // be told apart).
        Type(entry->First_Edit, "Cy");
        Type(entry->Last_Edit, "Oh");
        entry->Save_Button->click();
        EXPECT_TRUE(entry->isVisible());
        Type(entry->First_Edit, "Bo");
        Type(entry->Last_Edit, "Day");
        entry->Save_Button->click();
    });
    EXPECT_FALSE(open);
    EXPECT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(Keys(), (QStringList{"Ann,Lee", "Bo,Day", "Cy,Oh"}));
}

TEST_F(Player_Entry_Test, EmptyFirstNamesAndOverlongKeysAreRefused)
{
    Store_Player("Ann", "Lee");
    Start();
    const QByteArray before = Database();
    const bool open = Add([&] {
        Type(entry->Last_Edit, "Nobody");
        entry->Save_Button->click();
        ASSERT_EQ(script.messages.size(), 1u);
        EXPECT_TRUE(script.messages[0].text.contains("first name"));
        EXPECT_TRUE(entry->isVisible());

        Type(entry->First_Edit, "Christopher");
        Type(entry->Last_Edit, "Montgomery");
        entry->Save_Button->click();
        ASSERT_EQ(script.messages.size(), 2u);
        EXPECT_TRUE(script.messages[1].text.contains("Christopher,Montgomery"));
        EXPECT_TRUE(entry->isVisible());
        // The boxes themselves take no more than a field holds.
        Type(entry->Aka_Edit, "A much too long nickname");
        EXPECT_EQ(entry->Aka_Edit->text().size(), 19);
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(Database(), before);

    // Editing the first record to an empty first name would cut off the rest.
    Edit(0, [&] {
        entry->First_Edit->clear();
        entry->Save_Button->click();
        EXPECT_TRUE(entry->isVisible());
    });
    EXPECT_EQ(Database(), before);
}

// An old player whose key is already too long for a tournament keeps his
// record editable; the rule stops only a key the edit makes new.
TEST_F(Player_Entry_Test, AnOldLongKeyCanStillHaveItsDetailsChanged)
{
    Store_Player("Christopher", "Montgomery", "555-0101");
    Start();
    EXPECT_FALSE(Edit(0, [&] {
        Type(entry->Phone_Edit, "555-0202");
        entry->Save_Button->click();
    }));
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(Database().mid(65, 8), QByteArray("555-0202"));
    EXPECT_EQ(Keys(), QStringList{"Christopher,Montgomery"});

    // Changing the key to another long one is refused.
    EXPECT_TRUE(Edit(0, [&] {
        Type(entry->Last_Edit, "Montgomerie");
        entry->Save_Button->click();
        script.answers.push_back(Answer::No);
    }));
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_TRUE(script.messages[0].text.contains("Christopher,Montgomerie"));
    EXPECT_EQ(Keys(), QStringList{"Christopher,Montgomery"});
}

// Text the single-byte files cannot hold is refused with the characters named;
// every Latin-1 text is kept as typed.
TEST_F(Player_Entry_Test, TextOutsideLatin1IsRefusedNotMangled)
{
    Store_Player("Lukasz", "Nowak");
    Start();
    const QByteArray before = Database();
    EXPECT_TRUE(Add([&] {
        Put(entry->First_Edit, QStringLiteral("\u0141ukasz"));
        Type(entry->Last_Edit, QStringLiteral("Nowak"));
        entry->Save_Button->click();
        Type(entry->First_Edit, QStringLiteral("Lukasz"));
        Put(entry->Aka_Edit, QStringLiteral("\u017b\u00f3\u0142w \u0142"));
        entry->Save_Button->click();
    }));
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Player Add"));
    EXPECT_TRUE(script.messages[0].text.contains(QStringLiteral("stored: \u0141\n")));
    // Each character once, in order; "\u00f3" is Latin-1 and not named.
    EXPECT_TRUE(script.messages[1].text.contains(QStringLiteral("stored: \u017b \u0142\n")));
    EXPECT_EQ(Database(), before);

    script.messages.clear();
    EXPECT_FALSE(Add([&] {
        Put(entry->First_Edit, QStringLiteral("J\u00f6rg"));
        Put(entry->Last_Edit, QStringLiteral("Fran\u00e7ois"));
        entry->Save_Button->click();
    }));
    EXPECT_TRUE(script.messages.empty());
    EXPECT_EQ(Keys(), (QStringList{"Lukasz,Nowak", QStringLiteral("J\u00f6rg,Fran\u00e7ois")}));
    EXPECT_EQ(Database().mid(116 + 5, 5), QByteArray("J\xf6rg\0", 5));
}

// "Save and New" stores each player as "Save" does (its checks included)
// and starts over for the next one; the 150th closes the dialog with the
// refusal. Editing has no such button.
TEST_F(Player_Entry_Test, SaveAndNewEntersPlayersOneAfterTheOther)
{
    for (int i = 0; i < Max_Players - 3; ++i)
        Store_Player(QStringLiteral("P%1").arg(i), QStringLiteral("X"));
    Start();
    const auto enter = [&](const char* first, const char* last) {
        Type(entry->First_Edit, QString::fromLatin1(first));
        Type(entry->Last_Edit, QString::fromLatin1(last));
        entry->Save_New_Button->click();
    };
    const bool open = Add([&] {
        EXPECT_TRUE(entry->Save_New_Button->isVisible());
        EXPECT_EQ(entry->Save_New_Button->text(), QStringLiteral("Save and New"));
        EXPECT_FALSE(entry->Save_New_Button->isEnabled());
        enter("Ann", "Lee");
        EXPECT_TRUE(entry->isVisible());
        for (QLineEdit* e : {entry->First_Edit, entry->Last_Edit, entry->Aka_Edit, entry->Phone_Edit, entry->Cell_Edit})
            EXPECT_TRUE(e->text().isEmpty());
        EXPECT_FALSE(entry->Save_Button->isEnabled());
        EXPECT_FALSE(entry->Modified);
        EXPECT_EQ(entry->focusWidget(), entry->First_Edit);
        enter("Ann", "Lee"); // the duplicate is refused and kept for correcting
        EXPECT_EQ(script.messages.size(), 1u);
        EXPECT_EQ(entry->First_Edit->text(), QStringLiteral("Ann"));
        enter("Bob", "Ray");
        enter("Cy", "Oh");
        enter("Di", "Ek"); // one too many: refused, and the dialog closes
    });
    EXPECT_FALSE(open);
    EXPECT_EQ(Keys().mid(Max_Players - 3), (QStringList{"Ann,Lee", "Bob,Ray", "Cy,Oh"}));
    ASSERT_EQ(script.messages.size(), 2u);
    EXPECT_EQ(script.messages[1].caption, QStringLiteral("Velmora:"));
    Edit(0, [&] {
        EXPECT_FALSE(entry->Save_New_Button->isVisible());
        entry->Close_Button->click();
    });
}

TEST_F(Player_Entry_Test, AFullDatabaseRefusesTheHundredAndFiftyFirst)
{
    for (int i = 0; i < Max_Players; ++i)
        Store_Player(QStringLiteral("P%1").arg(i), QStringLiteral("X"));
    Start();
    const QByteArray before = Database();
    const bool open = Add([&] {
        Type(entry->First_Edit, "Ann");
        Type(entry->Last_Edit, "Lee");
        entry->Save_Button->click();
    });
    EXPECT_FALSE(open);
    ASSERT_EQ(script.messages.size(), 1u);
    EXPECT_EQ(script.messages[0].text, QStringLiteral("You have exceeded the maximum allowed players.\n"
                                                      "To add more players you must remove an existing player."));
    EXPECT_EQ(script.messages[0].caption, QStringLiteral("Velmora:"));
    EXPECT_EQ(Database(), before);
}

TEST_F(Player_Entry_Test, TheCloseQuestionSavesOnYesAndDiscardsOnNo)
{
    Store_Player("Ann", "Lee");
    Start();
    const QByteArray before = Database();
    script.answers.push_back(Answer::No);
    Edit(0, [&] {
        Type(entry->Phone_Edit, "555-9999");
        entry->Close_Button->click();
        EXPECT_FALSE(entry->isVisible());
    });
    EXPECT_EQ(Database(), before);
    EXPECT_EQ(Field_Text(Player_DB.Player[0].Phone, Player_Text_Size), QString());

    // Yes saves through the same path as the Save button.
    script.answers.push_back(Answer::Yes);
    Add([&] {
        Type(entry->First_Edit, "Bob");
        Type(entry->Last_Edit, "Day");
        entry->reject(); // the close box and Esc
        EXPECT_FALSE(entry->isVisible());
    });
    EXPECT_EQ(Keys(), (QStringList{"Ann,Lee", "Bob,Day"}));

    // Yes with a name already taken: the refusal is shown and what was typed
    // stays on the screen.
    script.answers.push_back(Answer::Yes);
    const bool open = Add([&] {
        Type(entry->First_Edit, "Bob");
        Type(entry->Last_Edit, "Day");
        entry->Close_Button->click();
    });
    EXPECT_TRUE(open);
    EXPECT_EQ(script.messages.back().text, QStringLiteral("Can't add dublicate name to Players list"));
    EXPECT_EQ(Keys(), (QStringList{"Ann,Lee", "Bob,Day"}));
}

TEST_F(Player_Entry_Test, EditingAPlayerKeepsThoseAfterIt)
{
    Store_Player("Ann", "Lee");
    Store_Player("Bob", "Day");
    Store_Player("Cy", "Oh");
    Start();
    Edit(0, [&] {
        Type(entry->First_Edit, "Anne");
        entry->Save_Button->click();
    });
    EXPECT_EQ(Keys(), (QStringList{"Anne,Lee", "Bob,Day", "Cy,Oh"}));
    EXPECT_EQ(Player_DB.Count, 3);
}

} // namespace
