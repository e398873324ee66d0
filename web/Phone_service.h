#pragma once
// The phone view as the main window uses it: the server, the address a phone
// reaches it at, and the QR code of that address. The network side lives in
// a module of its own (libvelmora_phone.so) that is loaded the first time the
// view is used, so a program that never turns the view on never loads Qt
// Network, Qt WebSockets or libqrencode.
#include "web/Remote.h"

#include <QByteArray>
#include <QImage>
#include <QString>
#include <functional>
#include <memory>

class Phone_Service_Interface {
public:
    virtual ~Phone_Service_Interface() = default;

    // Listens on the port (0: any free one) of every interface and draws a
    // new PIN; false with Error() set when the port cannot be taken.
    virtual bool Start(quint16 port) = 0;
    virtual void Stop() = 0;   // closes every connection
    virtual bool Is_Running() const = 0;
    virtual quint16 Port() const = 0;
    virtual QString Pin() const = 0;
    virtual QString Error() const = 0;
    virtual int Open_Connections() const = 0;
    virtual void Set_Max_Connections(int bound) = 0;
    // Sets the bound on connections from one address (tests and benchmarks
    // that run many pages from this machine); never above Max_Connections.
    virtual void Set_Max_Per_Source(int bound) = 0;
    // How long a page may stay silent before it is closed (tests shorten it).
    virtual void Set_Idle_Limit(int ms) = 0;
    virtual int Live_Pages() const = 0;
    // The state every page shows (JSON): sent now and to every later page.
    virtual void Publish(const QByteArray& state) = 0;
    // The milliseconds the PIN brake counts by (tests drive their own).
    virtual void Set_Monotonic_Clock(std::function<qint64()> now) = 0;
    // Called with each command a page holding the PIN sends, on the thread
    // that made the service (the server runs in a thread of its own).
    virtual void Set_Command_Handler(std::function<void(Phone_Remote::Command)> handler) = 0;
    // Called, on that thread too, when too many wrong PINs in a row made the
    // server draw a new one (Pin() tells which).
    virtual void Set_Pin_Handler(std::function<void()> handler) = 0;
    // The phones holding the remote and those asking for it, as the server
    // last changed them.
    virtual QList<Phone_Remote::Holder_Info> Remote_Holders() const = 0;
    virtual QList<Phone_Remote::Request_Info> Remote_Requests() const = 0;
    // The host gives an asking phone the remote (false: it has gone), or not.
    virtual bool Approve(int request) = 0;
    virtual void Refuse(int request) = 0;
    // The host takes the remote back from one phone (-1: from every phone).
    virtual void Revoke(int holder) = 0;
    // Draws a new PIN; every phone loses the remote.
    virtual void Draw_New_Pin() = 0;
    // Called, on the service's thread, when those lists changed.
    virtual void Set_Remote_Handler(std::function<void()> handler) = 0;
    // The address a phone on the local network reaches this machine at.
    virtual QString Local_Address() const = 0;
    // The QR code of a text; a null image when it cannot be encoded.
    virtual QImage Qr_Code(const QString& text) const = 0;
};

// The module's one exported function, looked up by this name.
#define VELMORA_PHONE_SERVICE_FACTORY "velmora_create_phone_service"
using Phone_Service_Factory = Phone_Service_Interface* (*)();

// Loads the module once and makes its service. When the module cannot be
// loaded the service is one that never runs and whose Error() says why, so
// the window and its dialog need no special case.
std::unique_ptr<Phone_Service_Interface> Load_Phone_Service();
