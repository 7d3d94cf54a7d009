// SPDX-License-Identifier: GPL-3.0-or-later
// Build-time helper: renders one SVG source to a bitmap of the requested width
// (the height follows the drawing's aspect ratio). The format follows the output suffix.
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QSvgRenderer>
#include <QTextStream>

namespace {

// The offscreen platform complains about a missing XDG runtime folder, once per rendered file,
// which buries real build messages; it never uses that folder for rendering.
QtMessageHandler defaultHandler = nullptr;

void quietHandler(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.contains(QLatin1String("XDG_RUNTIME_DIR")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char* argv[])
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    QGuiApplication app(argc, argv);
    const QStringList args = QCoreApplication::arguments();
    QTextStream err(stderr);
    if (args.size() < 4) {
        err << "usage: kestrova-render-art INPUT.svg OUTPUT.(png|jpg) WIDTH\n";
        return 2;
    }
    QSvgRenderer renderer(args.at(1));
    if (!renderer.isValid()) {
        err << "cannot read " << args.at(1) << "\n";
        return 1;
    }
    const int width = args.at(3).toInt();
    const QSizeF box = renderer.viewBoxF().size();
    const int height = box.width() > 0 ? qRound(width * box.height() / box.width()) : width;
    const bool opaque = args.at(2).endsWith(QLatin1String(".jpg"), Qt::CaseInsensitive);
    QImage image(width, height, opaque ? QImage::Format_RGB32 : QImage::Format_ARGB32_Premultiplied);
    image.fill(opaque ? Qt::white : Qt::transparent);
    QPainter painter(&image);
    painter.setRenderHints(QPainter::Antialiasing | QPainter::SmoothPixmapTransform);
    renderer.render(&painter);
    painter.end();
    if (!image.save(args.at(2), nullptr, opaque ? 95 : -1)) {
        err << "cannot write " << args.at(2) << "\n";
        return 1;
    }
    return 0;
}
