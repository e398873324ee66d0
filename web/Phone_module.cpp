// libvelmora_phone.so: the phone view's server and QR codes behind the
// interface the main window loads at first use.
#include "web/Phone_server.h"
#include "web/Phone_service.h"
#include "web/Qr_code.h"

namespace {

class Phone_Service_Module final : public Phone_Service_Interface {
public:
    Phone_Service_Module()
    {
        QObject::connect(&server_, &Phone_Server::Command_Received, &server_, [this](Phone_Remote::Command command) {
            if (handler_)
                handler_(command);
        });
    }

    bool Start(quint16 port) override { return server_.Start(port); }
    void Stop() override { server_.Stop(); }
    bool Is_Running() const override { return server_.Is_Running(); }
    quint16 Port() const override { return server_.Port(); }
    QString Pin() const override { return server_.Pin(); }
    QString Error() const override { return server_.Error(); }
    int Open_Connections() const override { return server_.Open_Connections(); }
    void Set_Max_Connections(int bound) override { server_.Set_Max_Connections(bound); }
    int Live_Pages() const override { return server_.Live_Pages(); }
    void Publish(const QByteArray& state) override { server_.Publish(state); }
    void Set_Monotonic_Clock(std::function<qint64()> now) override { server_.Set_Monotonic_Clock(std::move(now)); }
    void Set_Command_Handler(std::function<void(Phone_Remote::Command)> handler) override
    {
        handler_ = std::move(handler);
    }
    QString Local_Address() const override { return Phone_Server::Local_Address(); }
    QImage Qr_Code(const QString& text) const override { return ::Qr_Code(text); }

private:
    Phone_Server server_;
    std::function<void(Phone_Remote::Command)> handler_;
};

} // namespace

extern "C" Q_DECL_EXPORT Phone_Service_Interface* velmora_create_phone_service()
{
    return new Phone_Service_Module;
}
