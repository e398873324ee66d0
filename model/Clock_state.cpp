#include "model/Clock_state.h"

#include "model/Tourney.h"
#include "platform/Program_folder.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QList>

QByteArray Clock_State_Bytes(const Clock_State& state)
{
    QByteArray out = "[Clock]\n";
    out += "Tourney=" + state.Tourney.toUtf8() + "\n";
    out += "Level=" + QByteArray::number(state.Level + 1) + "\n";
    out += "Left=" + QByteArray::number(state.Minutes) + ":"
           + QByteArray::number(state.Seconds).rightJustified(2, '0') + "\n";
    out += QByteArray("Running=") + (state.Running ? "1" : "0") + "\n";
    if (state.Break)
        out += "Break=1\n";
    out += "Saved=" + state.Saved.toUTC().toString(Qt::ISODate).toLatin1() + "\n";
    return out;
}

namespace {

std::optional<int> Number_In(const QByteArray& text, int low, int high)
{
    bool ok = false;
    const int n = text.toInt(&ok);
    if (!ok || n < low || n > high)
        return std::nullopt;
    return n;
}

} // namespace

std::optional<Clock_State> Parse_Clock_State(const QByteArray& bytes)
{
    const QList<QByteArray> lines = bytes.split('\n');
    if (lines.isEmpty() || lines[0].trimmed() != "[Clock]")
        return std::nullopt;
    Clock_State state;
    bool have_tourney = false, have_level = false, have_left = false, have_running = false;
    for (const QByteArray& raw : lines.mid(1)) {
        const QByteArray line = raw.endsWith('\r') ? raw.chopped(1) : raw;
        const qsizetype eq = line.indexOf('=');
        if (eq < 0)
            continue;
        const QByteArray key = line.left(eq);
        const QByteArray value = line.mid(eq + 1);
        if (key == "Tourney") {
            state.Tourney = QString::fromUtf8(value);
            have_tourney = !state.Tourney.isEmpty();
        } else if (key == "Level") {
            const auto level = Number_In(value, 1, Level_Count);
            if (!level)
                return std::nullopt;
            state.Level = *level - 1;
            have_level = true;
        } else if (key == "Left") {
            const QList<QByteArray> parts = value.split(':');
            if (parts.size() != 2 || parts[1].size() != 2)
                return std::nullopt;
            const auto minutes = Number_In(parts[0], 0, 255);
            const auto seconds = Number_In(parts[1], 0, 59);
            if (!minutes || !seconds)
                return std::nullopt;
            state.Minutes = *minutes;
            state.Seconds = *seconds;
            have_left = true;
        } else if (key == "Running") {
            if (value != "0" && value != "1")
                return std::nullopt;
            state.Running = value == "1";
            have_running = true;
        } else if (key == "Break") {
            if (value != "0" && value != "1")
                return std::nullopt;
            state.Break = value == "1";
        } else if (key == "Saved") {
            state.Saved = QDateTime::fromString(QString::fromLatin1(value), Qt::ISODate);
        }
    }
    if (!have_tourney || !have_level || !have_left || !have_running)
        return std::nullopt;
    return state;
}

QString Clock_File_Path(const QString& tourney_name)
{
    return Tourney_File_Path(tourney_name, QStringLiteral(".clock"));
}

std::optional<Found_Clock> Find_Clock_File()
{
    // Newest first; the suffix is checked here rather than by a name filter,
    // which would pull in the regular-expression engine at every start.
    const QFileInfoList files = QDir(Data_Folder()).entryInfoList(QDir::Files, QDir::Time);
    for (const QFileInfo& info : files) {
        if (!info.fileName().endsWith(QLatin1String(".clock"), Qt::CaseInsensitive))
            continue;
        QFile file(info.absoluteFilePath());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        if (auto state = Parse_Clock_State(file.read(4096)))
            return Found_Clock{info.absoluteFilePath(), *state};
    }
    return std::nullopt;
}

namespace {
QString Where(const Clock_State& state)
{
    const QString where = state.Break ? QStringLiteral("in the break after level %1") : QStringLiteral("at level %1");
    return QStringLiteral("%1 with %2:%3 left")
        .arg(where.arg(state.Level + 1))
        .arg(state.Minutes)
        .arg(state.Seconds, 2, 10, QLatin1Char('0'));
}
} // namespace

QString Resume_Question(const Clock_State& state)
{
    if (!state.Running)
        return QStringLiteral("The clock was stopped %1 when Velmora closed. Resume it?").arg(Where(state));
    return QStringLiteral("The clock was running %1 when Velmora stopped. Resume it?").arg(Where(state));
}

QString Exit_Question(const Clock_State& state)
{
    return QStringLiteral("The tournament is under way: the clock is %1 %2. Exit now? The next start offers the "
                          "clock back, stopped.")
        .arg(state.Running ? QStringLiteral("running") : QStringLiteral("stopped"), Where(state));
}
