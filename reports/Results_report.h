#pragma once
// The results with the money ("Results.htm"), a page the host sends to the
// group: the tournament's name and the day it was played in the heading;
// finish, player, prize (the place's payout rounded, or the amount agreed in
// a deal), bounties won with their money, rebuys and add-ons, with totals;
// below them the pool and what of it is still to be paid, so the figures add
// up to the pool.
#include <QByteArray>
#include <QDate>
#include <QString>

class CTourney;

// The day played is the day the entry file was last written.
QByteArray Results_Page(const CTourney& tourney);
QByteArray Results_Page(const CTourney& tourney, const QDate& played);
// Writes the page into the Reports folder and returns its path.
QString Write_Results(const CTourney& tourney);
