// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/qt/QtBitmap.h"

#include <algorithm>

#include <QBuffer>
#include <QByteArray>

#include "platform/Errors.h"
#include "platform/SafeFileWrite.h"

namespace brevanto::platform {

QtBitmap::QtBitmap(int width, int height) { SetSize(width, height); }

void QtBitmap::SetSize(int width, int height) {
    image = QImage(std::max(0, width), std::max(0, height), QImage::Format_RGB32);
    image.fill(Qt::white);
}

void QtBitmap::SaveToFile(const std::string& fileName, PictureFormat format) const {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!image.save(&buffer, format == PictureFormat::Png ? "PNG" : "BMP"))
        throw InOutError("Cannot write file \"" + fileName + "\".");
    ReplaceFileContents(fileName, bytes.toStdString());
}

}  // namespace brevanto::platform
