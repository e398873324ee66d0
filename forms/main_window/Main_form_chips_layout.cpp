// The controls of the chip set: the Chips page ("Chip Selection") and the
// "Chip Values" group of the Action page.
#include "forms/main_window/Main_form.h"
#include "forms/widgets/Caption_label.h"

#include "forms/widgets/Fonts.h"
#include "forms/widgets/Spin_box.h"
#include "platform/Guard.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

#include <algorithm>

namespace {

// The large "{" that gathers the five rows of the Chips page: a label with
// that text, drawn as a brace of even stroke over the label's full height.
class Brace_Label : public QLabel {
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent*) override
    {
        const qreal w = width();
        const qreal h = height();
        const qreal stem = w * 0.5;
        const qreal bend = std::min(h * 0.05, w);
        QPainterPath brace;
        brace.moveTo(w - 2, 2);
        brace.cubicTo(stem, 2, stem, bend * 0.4, stem, bend);
        brace.lineTo(stem, h / 2 - bend);
        brace.cubicTo(stem, h / 2 - bend * 0.3, stem * 0.6, h / 2, 2, h / 2);
        brace.cubicTo(stem * 0.6, h / 2, stem, h / 2 + bend * 0.3, stem, h / 2 + bend);
        brace.lineTo(stem, h - bend);
        brace.cubicTo(stem, h - bend * 0.4, stem, h - 2, w - 2, h - 2);
        QPainter p(this);
        p.setRenderHint(QPainter::Antialiasing);
        p.setPen(QPen(palette().color(QPalette::WindowText), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
        p.drawPath(brace);
    }
};

// A read-only box in the window's grey that the Tab key passes by.
QLineEdit* Fixed_Box(QWidget* parent, const QString& name, const QString& text, const QRect& r)
{
    auto* box = Figure_Box(parent, name, text, r);
    QPalette p = box->palette();
    p.setColor(QPalette::Base, p.color(QPalette::Window));
    box->setPalette(p);
    return box;
}

QLabel* Picture_Box(QWidget* parent, const QString& name, const QRect& r)
{
    auto* box = new QLabel(parent);
    box->setObjectName(name);
    box->setAlignment(Qt::AlignCenter);
    box->setGeometry(r);
    return box;
}

const char* const Ordinal_Name[Chip_Count] = {"First", "Second", "Third", "Fourth", "Fifth"};

} // namespace

void TMainForm::Build_Chips_Page()
{
    GroupBox6 = new QGroupBox(tr("Chip Selection"), Chips_Sheet);
    GroupBox6->setObjectName(QStringLiteral("GroupBox6"));
    GroupBox6->setGeometry(10, 10, 701, 618);

    const char* const button_names[Chip_Count] = {"SpeedButton11", "SpeedButton10", "SpeedButton9", "SpeedButton8",
                                                  "Image5_Btn"};
    const char* const initial_values[Chip_Count] = {"5", "10", "25", "50", "100"};
    QFont sign_font = font();
    sign_font.setPointSize(12);
    sign_font.setBold(true);

    const int x0 = 196;
    for (int k = 0; k < Chip_Count; ++k) {
        const int y = 26 + k * 117;
        const int line = y + 22; // the row of boxes, level with the picture's middle
        Chip_Image[k] = Picture_Box(GroupBox6, QStringLiteral("%1_Image").arg(QLatin1String(Ordinal_Name[k])),
                                    QRect(x0, y, 86, 65));
        Chip_Image_Btn[k] = new QToolButton(GroupBox6);
        Chip_Image_Btn[k]->setObjectName(QString::fromLatin1(button_names[k]));
        Chip_Image_Btn[k]->setText(tr("Change..."));
        Chip_Image_Btn[k]->setToolTip(tr("Click to Specify Image"));
        Chip_Image_Btn[k]->setGeometry(x0 + 3, y + 69, 80, 24);
        connect(Chip_Image_Btn[k], &QToolButton::clicked, this, [this, k] { Guarded([this, k] { Chip_Image_BtnClick(k); }); });

        Caption_Label(GroupBox6, tr("Value:"), QRect(x0 + 96, line, 40, 24), Qt::AlignRight | Qt::AlignVCenter);
        Chip_Value[k] = new QLineEdit(QString::fromLatin1(initial_values[k]), GroupBox6);
        Chip_Value[k]->setObjectName(QStringLiteral("Chip%1_Value").arg(k + 1));
        Chip_Value[k]->setToolTip(tr("Chip Value"));
        Chip_Value[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Chip_Value[k]->setGeometry(x0 + 140, line, 62, 24);
        auto* times = Caption_Label(GroupBox6, QStringLiteral("X"), QRect(x0 + 204, line, 18, 24), Qt::AlignCenter);
        times->setFont(sign_font);

        Caption_Label(GroupBox6, tr("Quantity:"), QRect(x0 + 222, line, 56, 24), Qt::AlignRight | Qt::AlignVCenter);
        Chip_Quanity[k] = new Spin_Box(GroupBox6);
        Chip_Quanity[k]->setObjectName(QStringLiteral("Chip%1_Quanity").arg(k + 1));
        Chip_Quanity[k]->setRange(0, 10000);
        Chip_Quanity[k]->setToolTip(tr("Adjust Chip Count"));
        Chip_Quanity[k]->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        Chip_Quanity[k]->setGeometry(x0 + 282, line, 74, 24);
        auto* equals = Caption_Label(GroupBox6, QStringLiteral("="), QRect(x0 + 358, line, 18, 24), Qt::AlignCenter);
        equals->setFont(sign_font);

        Chip_Total[k] = Fixed_Box(GroupBox6, QStringLiteral("Total_%1").arg(k + 1), QStringLiteral("100"),
                                  QRect(x0 + 378, line, 104, 24));
        // The value box's change handler (Chip1_QuanityChange ...) recomputes the line.
        connect(Chip_Value[k], &QLineEdit::textChanged, this, [this, k] { Guarded([this, k] { Chip_QuanityChange(k); }); });
    }
    for (int k = 0; k + 1 < Chip_Count; ++k) {
        setTabOrder(Chip_Value[k], Chip_Quanity[k]);
        setTabOrder(Chip_Quanity[k], Chip_Value[k + 1]);
    }

    auto* brace = new Brace_Label(QStringLiteral("{"), GroupBox6);
    brace->setObjectName(QStringLiteral("Brace_Label"));
    brace->setGeometry(152, 30, 30, 570);

    Total_Chips = Fixed_Box(GroupBox6, QStringLiteral("Total_Chips"), QStringLiteral("100000"), QRect(12, 292, 134, 36));
    Total_Chips->setToolTip(tr("Total Chip Value"));
    QFont total_font = Program_Font(14);
    total_font.setBold(true);
    Total_Chips->setFont(total_font);
}

void TMainForm::Build_Chip_Values()
{
    GroupBox7 = new QGroupBox(tr("Chip Values"), Action_Sheet);
    GroupBox7->setObjectName(QStringLiteral("GroupBox7"));
    GroupBox7->setGeometry(250, 368, 461, 260);

    QFont value_font = Program_Font(16);
    value_font.setBold(true);
    for (int k = 0; k < Chip_Count; ++k) {
        const int x = 11 + k * 89;
        Chip_Image2[k] = Picture_Box(GroupBox7, QStringLiteral("%1_Image2").arg(QLatin1String(Ordinal_Name[k])),
                                     QRect(x, 70, 86, 65));
        Chip_Fixed[k] = Fixed_Box(GroupBox7, QStringLiteral("Chip%1_Fixed").arg(k + 1), QString(),
                                  QRect(x + 2, 148, 82, 38));
        Chip_Fixed[k]->setFont(value_font);
    }
}
