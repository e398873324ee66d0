#pragma once
// The results with the money ("Results.htm"), beside the three other
// reports and in their look: finish, player, prize (the place's payout
// rounded, or the amount agreed in a deal), bounties won, rebuys and
// add-ons, with totals; below them the pool and what of it is still to be
// paid, so the figures add up to the pool.
#include <QByteArray>
#include <QString>

class CTourney;

QByteArray Results_Page(const CTourney& tourney);
// Writes the page into the Reports folder and returns its path.
QString Write_Results(const CTourney& tourney);
