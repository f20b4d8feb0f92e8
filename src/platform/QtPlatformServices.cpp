#include "QtPlatformServices.h"

#include <QApplication>
#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QMimeData>
#include <QUrl>
#include <cstdio>

#include "QtFileNames.h"
#include "QtJobProgress.h"

QtPlatformServices::QtPlatformServices()
    : m_bNonInteractive(qEnvironmentVariable("VELLUMWISE_NONINTERACTIVE") == QLatin1String("1")) {}

namespace {

// A file dialog answers an empty path when the reader cancels.
std::optional<std::string> ChosenPath(const QString& path) {
    if (path.isEmpty()) {
        return std::nullopt;
    }
    return FileNameBytes(path);
}

}  // namespace

std::optional<std::string> QtPlatformServices::ChooseFileToOpen(const std::string& filter) {
    return ChosenPath(QFileDialog::getOpenFileName(m_pParent, QStringLiteral("打开"), QString(),
                                                   QString::fromStdString(filter)));
}

std::optional<std::string> QtPlatformServices::ChooseFileToSave(const std::string& filter) {
    return ChosenPath(QFileDialog::getSaveFileName(m_pParent, QStringLiteral("保存为"), QString(),
                                                   QString::fromStdString(filter)));
}

void QtPlatformServices::ShowMessage(const std::string& text) {
    if (m_bNonInteractive) {
        std::fprintf(stderr, "%s\n", text.c_str());
        std::fflush(stderr);
        return;
    }
    // A busy cursor over a box that waits for a click would mislead.
    const bool busy = QApplication::overrideCursor() != nullptr;
    if (busy) {
        QApplication::setOverrideCursor(Qt::ArrowCursor);
    }
    QMessageBox box(QMessageBox::Warning, QStringLiteral("Vellumwise"),
                    QString::fromStdString(text), QMessageBox::Ok, m_pParent);
    box.exec();
    if (busy) {
        QApplication::restoreOverrideCursor();
    }
}

std::optional<std::string> QtPlatformServices::ClipboardText() {
    const QMimeData* data = QApplication::clipboard()->mimeData();
    if (data == nullptr || !data->hasText()) {
        return std::nullopt;
    }
    return data->text().toStdString();
}

void QtPlatformServices::BeginWaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }

void QtPlatformServices::EndWaitCursor() { QApplication::restoreOverrideCursor(); }

bool QtPlatformServices::OpenWithShell(const std::string& pathOrUrl) {
    const QString target = QFile::decodeName(QByteArray::fromStdString(pathOrUrl));
    const QUrl url = QFileInfo::exists(target)
                         ? QUrl::fromLocalFile(QFileInfo(target).absoluteFilePath())
                         : QUrl(target);
    return QDesktopServices::openUrl(url);
}

void QtPlatformServices::RunWithProgress(const std::function<void(const ProgressReport&)>& job) {
    RunJobWithProgress(m_pParent, job);
}
