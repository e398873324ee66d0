// libvelmora_phone.so: the phone view's server and QR codes behind the
// interface the main window loads at first use. The server runs in a thread
// of its own, so no client can slow the window: the window hands it each
// state, and its commands and PIN changes come back as queued calls.
#include "web/Phone_server.h"
#include "web/Phone_service.h"
#include "web/Qr_code.h"

#include <QThread>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>

namespace {

class Phone_Service_Module final : public Phone_Service_Interface {
public:
    Phone_Service_Module()
    {
        server_->moveToThread(&thread_);
        // The server goes with its thread, on that thread.
        QObject::connect(&thread_, &QThread::finished, server_, &QObject::deleteLater);
        // relay_ lives on the window's thread: these run there, queued.
        QObject::connect(server_, &Phone_Server::Command_Received, &relay_, [this](Phone_Remote::Command command) {
            if (handler_)
                handler_(command);
        });
        QObject::connect(server_, &Phone_Server::Pin_Changed, &relay_, [this] {
            if (pin_handler_)
                pin_handler_();
        });
        QObject::connect(server_, &Phone_Server::Remote_Changed, &relay_, [this] {
            if (remote_handler_)
                remote_handler_();
        });
        thread_.setObjectName(QStringLiteral("Phone view"));
        thread_.start();
        // When the machine is busy the window's thread goes first.
        QMetaObject::invokeMethod(server_, [] { setpriority(PRIO_PROCESS, static_cast<id_t>(syscall(SYS_gettid)), 5); });
    }

    ~Phone_Service_Module() override
    {
        On_Server([this] { server_->Stop(); });
        thread_.quit();
        thread_.wait();
    }

    bool Start(quint16 port) override
    {
        bool ok = false;
        On_Server([this, port, &ok] { ok = server_->Start(port); });
        return ok;
    }
    void Stop() override { On_Server([this] { server_->Stop(); }); }
    bool Is_Running() const override { return server_->Is_Running(); }
    quint16 Port() const override { return server_->Port(); }
    QString Pin() const override { return server_->Pin(); }
    QString Error() const override { return server_->Error(); }
    int Open_Connections() const override { return server_->Open_Connections(); }
    void Set_Max_Connections(int bound) override { server_->Set_Max_Connections(bound); }
    void Set_Max_Per_Source(int bound) override { server_->Set_Max_Per_Source(bound); }
    void Set_Idle_Limit(int ms) override { server_->Set_Idle_Limit(ms); }
    int Live_Pages() const override { return server_->Live_Pages(); }
    void Publish(const QByteArray& state) override
    {
        QMetaObject::invokeMethod(server_, [server = server_, state] { server->Publish(state); }, Qt::QueuedConnection);
    }
    void Set_Monotonic_Clock(std::function<qint64()> now) override
    {
        On_Server([this, &now] { server_->Set_Monotonic_Clock(std::move(now)); });
    }
    void Set_Command_Handler(std::function<void(Phone_Remote::Command)> handler) override
    {
        handler_ = std::move(handler);
    }
    void Set_Pin_Handler(std::function<void()> handler) override { pin_handler_ = std::move(handler); }
    QList<Phone_Remote::Holder_Info> Remote_Holders() const override { return server_->Holders(); }
    QList<Phone_Remote::Request_Info> Remote_Requests() const override { return server_->Requests(); }
    bool Approve(int request) override
    {
        bool ok = false;
        On_Server([this, request, &ok] { ok = server_->Approve(request); });
        return ok;
    }
    void Refuse(int request) override { On_Server([this, request] { server_->Refuse(request); }); }
    void Revoke(int holder) override { On_Server([this, holder] { server_->Revoke(holder); }); }
    void Draw_New_Pin() override { On_Server([this] { server_->Draw_New_Pin(); }); }
    void Set_Remote_Handler(std::function<void()> handler) override { remote_handler_ = std::move(handler); }
    QString Local_Address() const override { return Phone_Server::Local_Address(); }
    QImage Qr_Code(const QString& text) const override { return ::Qr_Code(text); }

private:
    // Runs f on the server's thread and waits for it.
    template <class F> void On_Server(F f) { QMetaObject::invokeMethod(server_, std::move(f), Qt::BlockingQueuedConnection); }

    QThread thread_;
    Phone_Server* server_ = new Phone_Server;
    QObject relay_;
    std::function<void(Phone_Remote::Command)> handler_;
    std::function<void()> pin_handler_;
    std::function<void()> remote_handler_;
};

} // namespace

extern "C" Q_DECL_EXPORT Phone_Service_Interface* velmora_create_phone_service()
{
    return new Phone_Service_Module;
}
