#pragma once
// A tournament record in a fresh program folder, with helpers to enter
// players and read their places and the entry file.
#include "model/Tourney.h"
#include "support/Test_folder.h"

#include <QDir>
#include <QStringList>
#include <gtest/gtest.h>

#include <memory>

class Tourney_Test : public ::testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir().mkpath(folder.data()));
        t = std::make_unique<CTourney>();
    }

    // Loads "Cup" and enters the named players one by one.
    void Enter_All(const QStringList& names)
    {
        t->Load_File("Cup");
        for (const QString& n : names)
            t->Enter_Player(n);
    }

    int32_t Place_Of(const QString& name) const
    {
        int slot = t->Find_Entry(name);
        return slot < 0 ? -1 : t->Players[slot].Place;
    }

    QByteArray Entry_File() const { return folder.Read("Data/Cup.plr"); }

    Test_Folder folder;
    std::unique_ptr<CTourney> t;
};


inline const QStringList Ten = {"A,a", "B,b", "C,c", "D,d", "E,e", "F,f", "G,g", "H,h", "I,i", "J,j"};
