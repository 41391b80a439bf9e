#pragma once

#include <QByteArray>
#include <QString>

#include <string_view>

class QTextFrame;

namespace dorvanta {

// Makes a page readable by Qt's HTML reader without changing its text:
// colour attributes written without "#" get one, and Flash movies (which
// cannot play here) give way to the picture of the same name with ".png"
// beside them, or to nothing. Relative movie paths resolve against baseFolder.
QString PreparePageForView(const QString& html, const QString& baseFolder);

// Brings laid-out tables closer to what a browser shows: the widest of the
// percentage columns takes what the others leave, and cells are centred
// vertically unless they say otherwise.
void AdjustTables(QTextFrame* frame);

// Help and start pages are files of unknown origin: a byte-order mark or a
// declared character set wins; otherwise UTF-8 when the bytes are valid
// UTF-8, else the Windows-1250 of the program's own texts.
QString DecodeFile(const QByteArray& bytes);

// A generated page: Windows-1250 bytes, except where it names the program's
// folder, whose bytes `folderBytes` are those of the file system; they become
// `folder`.
QString DecodeGeneratedPage(std::string_view page, std::string_view folderBytes, const QString& folder);

// The local file a page names by `path` (absolute, or relative to baseFolder
// when that is not empty), found without regard to the case of its letters.
// Empty when there is no such file.
QString FindLocalFile(const QString& path, const QString& baseFolder = QString());

} // namespace dorvanta
