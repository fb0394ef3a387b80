#include "app/platform/serial_port_qt.h"

#include <QSerialPortInfo>
#include <algorithm>

#include "core/remote/port_names.h"

namespace tarvex {

using remote::port_error::device_lost;

QtSerialPort::QtSerialPort() {
    QObject::connect(&port_, &QSerialPort::errorOccurred, [this](QSerialPort::SerialPortError e) {
        // A USB serial device that is pulled out reports a resource error on the open port.
        if (e == QSerialPort::ResourceError && port_.isOpen()) error_ = device_lost;
    });
}

QtSerialPort::~QtSerialPort() {
    close();
}

namespace {

QSerialPort::Parity parity_of(char p) {
    switch (p) {
        case 'e':
            return QSerialPort::EvenParity;
        case 'o':
            return QSerialPort::OddParity;
        case 'm':
            return QSerialPort::MarkParity;
        case 's':
            return QSerialPort::SpaceParity;
        default:
            return QSerialPort::NoParity;
    }
}

int open_error(QSerialPort::SerialPortError e) {
    switch (e) {
        case QSerialPort::DeviceNotFoundError:
            return remote::port_error::invalid_port;
        case QSerialPort::PermissionError:
            return remote::port_error::port_in_use;
        default:
            return remote::port_error::open_failed;
    }
}

}  // namespace

int QtSerialPort::open(const remote::PortId& port, std::string_view settings) {
    close();
    std::string device = remote::device_for(port);
    if (device.empty()) return error_ = remote::port_error::invalid_port;
    port_.setPortName(QString::fromStdString(device));
    auto s = remote::parse_port_settings(settings);
    port_.setBaudRate(s.baud);
    port_.setParity(parity_of(s.parity));
    port_.setDataBits(static_cast<QSerialPort::DataBits>(s.data_bits));
    port_.setStopBits(s.stop_bits == 2 ? QSerialPort::TwoStop : QSerialPort::OneStop);
    port_.setFlowControl(QSerialPort::NoFlowControl);
    port_.setReadBufferSize(0);
    if (!port_.open(QIODevice::ReadWrite)) {
        error_ = open_error(port_.error());
        port_.clearError();
        return error_;
    }
    error_ = 0;
    return 0;
}

void QtSerialPort::close() {
    if (port_.isOpen()) port_.close();
    port_.clearError();
}

void QtSerialPort::write(std::string_view bytes) {
    if (!port_.isOpen()) return;
    port_.write(bytes.data(), static_cast<qint64>(bytes.size()));
    // Hand the bytes to the device now: the command line has no event loop between ticks.
    port_.flush();
}

std::string QtSerialPort::read_all() {
    if (!port_.isOpen()) return {};
    if (port_.bytesAvailable() == 0) port_.waitForReadyRead(0);
    QByteArray bytes = port_.readAll();
    if (port_.error() == QSerialPort::ResourceError) error_ = device_lost;
    return std::string(bytes.constData(), static_cast<size_t>(bytes.size()));
}

std::vector<std::string> find_scanner_ports() {
    auto ports = QSerialPortInfo::availablePorts();
    auto rank = [](const QSerialPortInfo& p) {
        if (p.hasVendorIdentifier() && p.vendorIdentifier() == k_uniden_vendor_id)
            return p.hasProductIdentifier() && p.productIdentifier() == k_homepatrol1_product_id
                       ? 0
                       : 1;
        return 2;
    };
    std::stable_sort(ports.begin(), ports.end(),
                     [&](const auto& a, const auto& b) { return rank(a) < rank(b); });
    std::vector<std::string> out;
    for (const auto& p : ports) out.push_back(p.systemLocation().toStdString());
    return out;
}

std::string find_scanner_device() {
    for (const auto& p : QSerialPortInfo::availablePorts())
        if (p.hasVendorIdentifier() && p.vendorIdentifier() == k_uniden_vendor_id)
            return p.systemLocation().toStdString();
    return {};
}

}  // namespace tarvex
