#include "forms/dialogs/Help_window.h"

#include "forms/main_window/Main_form.h"
#include "platform/Guard.h"
#include "platform/Program_folder.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QDir>
#include <QImageReader>
#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <algorithm>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

QString Guide_Path() { return Program_Folder() + QStringLiteral("docs/guide.md"); }

THelp_Window::THelp_Window(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Help_Window"));
    setWindowTitle(tr("User's Guide - Velmora: Home Edition"));
    resize(860, 720);
    Guide_Browser = new QTextBrowser(this);
    Guide_Browser->setObjectName(QStringLiteral("Guide_Browser"));
    Guide_Browser->setOpenExternalLinks(false);
    Contents_Btn = new QPushButton(tr("Contents"), this);
    Contents_Btn->setObjectName(QStringLiteral("Contents_Btn"));
    Close_Btn = new QPushButton(tr("Close"), this);
    Close_Btn->setObjectName(QStringLiteral("Close_Btn"));
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(Contents_Btn);
    buttons->addStretch();
    buttons->addWidget(Close_Btn);
    auto* v = new QVBoxLayout(this);
    v->addWidget(Guide_Browser, 1);
    v->addLayout(buttons);
    connect(Contents_Btn, &QPushButton::clicked, Guide_Browser, &QTextBrowser::home);
    connect(Close_Btn, &QPushButton::clicked, this, &QWidget::close);
}

void THelp_Window::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier)
        close();
    else
        QWidget::keyPressEvent(event);
}

void THelp_Window::Load_Guide()
{
    const QString path = Guide_Path();
    if (!QFileInfo(path).isFile()) {
        Guide_Browser->setPlainText(tr("The user's guide is not installed: %1 is missing.").arg(path));
        return;
    }
    // Relative picture paths resolve against the guide's own folder.
    Guide_Browser->setSearchPaths({QFileInfo(path).absolutePath()});
    Guide_Browser->setSource(QUrl::fromLocalFile(path), QTextDocument::MarkdownResource);
    Fit_Pictures();
}

void THelp_Window::Fit_Pictures()
{
    // Pictures wider than the window are shown at its width.
    const int widest = std::max(200, width() - 80);
    const QDir folder = QFileInfo(Guide_Path()).absoluteDir();
    QTextCursor cursor(Guide_Browser->document());
    for (QTextBlock b = Guide_Browser->document()->begin(); b.isValid(); b = b.next())
        for (auto f = b.begin(); !f.atEnd(); ++f) {
            QTextImageFormat picture = f.fragment().charFormat().toImageFormat();
            if (!picture.isValid())
                continue;
            const QSize size = QImageReader(folder.filePath(picture.name())).size();
            if (size.width() <= 0)
                continue;
            const int width = std::min(size.width(), widest);
            picture.setWidth(width);
            picture.setHeight(static_cast<double>(size.height()) * width / size.width());
            cursor.setPosition(f.fragment().position());
            cursor.setPosition(f.fragment().position() + f.fragment().length(), QTextCursor::KeepAnchor);
            cursor.setCharFormat(picture);
        }
}

void THelp_Window::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!Guide_Browser->source().isEmpty())
        Fit_Pictures();
}

Help_Commands::Help_Commands(TMainForm* form) : QObject(form), form_(form)
{
    User_Guide = new QAction(tr("User's Guide"), form);
    User_Guide->setObjectName(QStringLiteral("User_Guide"));
    User_Guide->setToolTip(tr("The guide to running a game night (F1)"));
    connect(User_Guide, &QAction::triggered, this, [this] { Guarded([this] { User_GuideExecute(); }); });
    for (QAction* a : form->menuBar()->actions()) {
        QMenu* help = a->menu();
        if (!help || a->text() != tr("&Help"))
            continue;
        UsersGuide1 = new QAction(User_Guide->text(), help);
        UsersGuide1->setObjectName(QStringLiteral("UsersGuide1"));
        UsersGuide1->setShortcut(QKeySequence(Qt::Key_F1));
        const QList<QAction*> items = help->actions();
        help->insertAction(items.isEmpty() ? nullptr : items.first(), UsersGuide1);
        help->insertSeparator(items.isEmpty() ? nullptr : items.first());
        connect(UsersGuide1, &QAction::triggered, User_Guide, &QAction::trigger);
    }
    qApp->installEventFilter(this);
}

bool Help_Commands::eventFilter(QObject* watched, QEvent* event)
{
    // A key the main window's shortcut took never arrives here: this is F1 in
    // a dialog, the players' display or the guide itself.
    if (event->type() == QEvent::KeyPress && watched->isWidgetType()) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_F1 && key->modifiers() == Qt::NoModifier) {
            User_Guide->trigger();
            return true;
        }
    }
    return QObject::eventFilter(watched, event);
}

void Help_Commands::User_GuideExecute()
{
    // A dialog waiting for an answer blocks every window but its own, so the
    // guide becomes one of them while the dialog is open.
    QWidget* modal = QApplication::activeModalWidget();
    QWidget* owner = modal && modal != window_ ? modal : form_;
    if (!window_)
        window_ = new THelp_Window(form_);
    if (window_->parentWidget() != owner) {
        window_->setParent(owner, Qt::Window);
        if (auto* dialog = qobject_cast<QDialog*>(owner))
            connect(dialog, &QDialog::finished, window_, [this] {
                // Back to the main window when the dialog is answered, still open.
                if (!window_ || window_->parentWidget() == form_)
                    return;
                const bool open = window_->isVisible();
                window_->setParent(form_, Qt::Window);
                if (open)
                    window_->show();
            });
    }
    if (!window_->isVisible() || window_->Guide_Browser->source().isEmpty())
        window_->Load_Guide();
    window_->show();
    window_->raise();
    window_->activateWindow();
}
