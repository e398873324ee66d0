#pragma once
// The player files (".plr", "PdB.data") hold single-byte Latin-1 text. A text
// with other characters could only be stored mangled ('?' in their place, and
// two different names could become one key): it is refused instead.
#include <QString>

// The characters of the text that Latin-1 cannot hold, each once, in the
// order they first appear, separated by blanks; empty when every one fits.
QString Non_Latin1_Characters(const QString& text);

// The message refusing the text, naming the characters; empty when the text
// can be stored. `what` names the box ("First", "tournament name").
QString Latin1_Refusal(const QString& what, const QString& text);
