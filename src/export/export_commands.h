// The commands of the "Action" menu and of the pictures' pop-up menu. Each works on the
// hour, hemisphere and view as they stand and redraws nothing. Each says through
// ExportContext::Tell what it did (where the file went) or that no program could be
// started for what it opens; a cancelled dialog ends it quietly and a failed download
// is told by the window; a file the user's data cannot be written to, and a yearly
// table that is not NASA's, are reported through ExportContext::ReportError.
#pragma once

#include "export/export_context.h"

// "NASA Website": NASA's page of the year for the hemisphere, in the browser.
void NasaWebsite(const ExportContext& ctx);
// "Full Year Data": NASA's yearly text file in the text editor, fetched into the text
// folder when no copy is there yet (a copy there is reused as it is). In a year NASA
// has not published, the program's own table of the year in NASA's layout, saved where
// the user chooses (offered as "mooninfo_YYYY_orvanel.txt" in the text folder) and
// opened in the text editor.
void FullYearData(const ExportContext& ctx);
// "Movie in Browser": NASA's 2025 movie of the view for the hemisphere, whatever the year shown.
void MovieInBrowser(const ExportContext& ctx);
// "Image in Browser": the frame's address, in the browser.
void ImageInBrowser(const ExportContext& ctx);
// "Image in Viewer": the frame, fetched into the working folder, in the default viewer.
void ImageInViewer(const ExportContext& ctx);
// "Image in Paint Program": the frame, fetched into the working folder, in an image editor.
void ImageInPaintProgram(const ExportContext& ctx);
// "Image to Clipboard": the frame, decoded, on the clipboard as a bitmap.
void ImagetoClipBoard(const ExportContext& ctx);
// "Link to Clipboard": the frame's address on the clipboard as text.
void LinktoClipboard(const ExportContext& ctx);
// "Save Image TIF File": NASA's frame file, byte for byte, at a path the user chooses,
// offered in the pictures folder (the working folder).
void SaveAsTifFile(const ExportContext& ctx);
// "Open Folder": the working folder in the file manager, made when it is not there yet.
void OpenFolder(const ExportContext& ctx);

// "Save Chart": the altitude chart as a 24-bit BMP file at a path the user chooses,
// offered as "Graph.bmp" in the working folder (the documents folder when that cannot
// be made).
void SaveAsBmpFile(const ExportContext& ctx);
// Fetches NASA's yearly table, keeps it at FileName with CR LF line ends and opens it
// in the text editor; nothing is written when the download fails or the text is not
// NASA's table (an error page, a table cut short), which is reported.
// Year is the year the table must be of.
void DownloadTextAndOpen(const ExportContext& ctx, const QString& FileName, const QString& Url, int Year);
inline const QString kChartFileName = QStringLiteral("Graph.bmp");
