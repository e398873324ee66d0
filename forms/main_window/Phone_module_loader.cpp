// Finding and loading the phone view's module (see web/Phone_service.h).
#include "web/Phone_service.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QLibrary>
#include <QStringList>

namespace {

const char* const Module_File = "libvelmora_phone.so";

// Beside the program (the build folder), in <prefix>/lib/velmora when the
// program runs from <prefix>/bin, and in the build folder for the programs
// built there in folders of their own (tests, benchmarks).
QStringList Module_Candidates()
{
    const QString beside = QCoreApplication::applicationDirPath();
    QStringList paths{beside + QLatin1Char('/') + QLatin1String(Module_File),
                      beside + QStringLiteral("/../lib/velmora/") + QLatin1String(Module_File)};
#ifdef VELMORA_MODULE_BUILD_DIR
    paths << QStringLiteral(VELMORA_MODULE_BUILD_DIR "/") + QLatin1String(Module_File);
#endif
    return paths;
}

// What the window gets when the module is missing or broken: a view that
// never starts and says why.
class Unavailable_Phone_Service final : public Phone_Service_Interface {
public:
    explicit Unavailable_Phone_Service(QString why) : why_(std::move(why)) {}
    bool Start(quint16) override { return false; }
    void Stop() override {}
    bool Is_Running() const override { return false; }
    quint16 Port() const override { return 0; }
    QString Pin() const override { return QString(); }
    QString Error() const override { return why_; }
    int Open_Connections() const override { return 0; }
    void Set_Max_Connections(int) override {}
    void Set_Max_Per_Source(int) override {}
    void Set_Idle_Limit(int) override {}
    int Live_Pages() const override { return 0; }
    void Publish(const QByteArray&) override {}
    void Set_Monotonic_Clock(std::function<qint64()>) override {}
    void Set_Command_Handler(std::function<void(Phone_Remote::Command)>) override {}
    void Set_Pin_Handler(std::function<void()>) override {}
    QList<Phone_Remote::Holder_Info> Remote_Holders() const override { return {}; }
    QList<Phone_Remote::Request_Info> Remote_Requests() const override { return {}; }
    bool Approve(int) override { return false; }
    void Refuse(int) override {}
    void Revoke(int) override {}
    void Draw_New_Pin() override {}
    void Set_Remote_Handler(std::function<void()>) override {}
    QString Local_Address() const override { return QString(); }
    QImage Qr_Code(const QString&) const override { return QImage(); }

private:
    QString why_;
};

// The module stays loaded for the rest of the run: the service's code lives in it.
Phone_Service_Factory Load_Factory(QString& why)
{
    static Phone_Service_Factory factory = nullptr;
    static QString failure;
    static bool tried = false;
    if (!tried) {
        tried = true;
        QStringList reasons;
        for (const QString& path : Module_Candidates()) {
            if (!QFileInfo::exists(path))
                continue;
            QLibrary module(QFileInfo(path).canonicalFilePath());
            if (!module.load()) {
                reasons << module.errorString();
                continue;
            }
            factory = reinterpret_cast<Phone_Service_Factory>(module.resolve(VELMORA_PHONE_SERVICE_FACTORY));
            if (factory)
                break;
            reasons << QStringLiteral("%1 has no %2").arg(path, QLatin1String(VELMORA_PHONE_SERVICE_FACTORY));
        }
        if (!factory)
            failure = reasons.isEmpty()
                          ? QStringLiteral("the phone view's module %1 is not installed").arg(QLatin1String(Module_File))
                          : QStringLiteral("the phone view's module cannot be loaded (%1)").arg(reasons.join(QStringLiteral("; ")));
    }
    why = failure;
    return factory;
}

} // namespace

std::unique_ptr<Phone_Service_Interface> Load_Phone_Service()
{
    QString why;
    if (Phone_Service_Factory factory = Load_Factory(why))
        if (Phone_Service_Interface* service = factory())
            return std::unique_ptr<Phone_Service_Interface>(service);
    return std::make_unique<Unavailable_Phone_Service>(why);
}
