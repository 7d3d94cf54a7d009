// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QObject>
#include <QScopedPointer>
#include <QStringList>

class GlobalPrivate;

// Process-wide settings: drive family, interface language and the chosen device version,
// turned into the folders the definition files and device pictures are read from.
class Global : public QObject
{
    Q_OBJECT
public:
    // A fixed underlying type: other families and message kinds than these arrive as plain numbers
    // (a "Device" of 2 in the memory file, a page's own kind), and outside the enumerators' range
    // an enumeration without one has no defined value.
    enum MESSAGE_INFO : int {
        MESSAGE_INFORMATION = 0,
        MESSAGE_WARNNING = 1,
        MESSAGE_CRITICAL = 2,
        MESSAGE_ABOUT = 3,
    };
    Q_ENUM(MESSAGE_INFO)

    enum DEVICE_INFO : int {
        DEVICE_SERVO = 0,
        DEVICE_VFD = 1,
    };
    Q_ENUM(DEVICE_INFO)

    enum LANGUAGE_INFO : int {
        LANGUAGE_EN = 0,
        LANGUAGE_CN = 1,
    };
    Q_ENUM(LANGUAGE_INFO)

    static Global* instance();
    ~Global() override;

    quint8 device() const;
    void setDevice(int value);
    quint8 language() const;
    void setLanguage(int value);

    QString configDirectory() const;
    void setDeviceVersion(const QString& name);
    QString configPath() const;

    // Whether the bus monitor dock is on screen; remembered in the memory file.
    bool busMonitorVisible() const;
    void setBusMonitorVisible(bool visible);

    // The scope's sampling mode (0 standard, 1 fast) and how many seconds of a recording it keeps
    // (0: its default); remembered in the memory file.
    int scopeSampling() const;
    void setScopeSampling(int mode);
    int scopeRecordingSeconds() const;
    void setScopeRecordingSeconds(int seconds);

    // How the connection page last reached a drive: the protocol (a Communication::CommType value),
    // and the host and TCP port of a TCP link; remembered in the memory file.
    static constexpr int DefaultTcpPort = 502;
    int commType() const;
    void setCommType(int type);
    QString tcpHost() const;
    void setTcpHost(const QString& host);
    int tcpPort() const;
    void setTcpPort(int port);

    QStringList pictureList() const;
    QString picturePath(const QString& name) const;

    // Where scope screenshots go: "Screenshot" beside the application while the tool may write
    // there (run from its build or a portable copy), otherwise "Kestrova" in the user's pictures
    // folder (installed system-wide). The folder exists on return; empty when neither can be made.
    static QString screenshotFolder();
    static QString screenshotFolder(const QString& applicationFolder, const QString& picturesFolder);
    // Whether a file can be created in `folder` (the only test that holds for root and ACLs).
    static bool isWritableFolder(const QString& folder);

private:
    Global();
    QScopedPointer<GlobalPrivate> d;
};

Q_DECLARE_METATYPE(Global::MESSAGE_INFO)
