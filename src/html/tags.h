// The fixed HTML texts of the tag menu.
#pragma once

#include <QString>

namespace html {

inline const QString kHtmlTag = QStringLiteral("<HTML></HTML>");
inline const QString kHeadTag = QStringLiteral("<HEAD></HEAD>");
inline const QString kTitleTag = QStringLiteral("<TITLE></TITLE>");
inline const QString kBodyTag = QStringLiteral("<BODY></BODY>");
inline const QString kBrTag = QStringLiteral("<BR>");
inline const QString kImageTag = QStringLiteral("<IMG SRC=\"\">");
inline const QString kLinkTag = QStringLiteral("<A HREF=\"\"></A>");
inline const QString kFontTag = QStringLiteral("<FONT></FONT>");
inline const QString kBoldTag = QStringLiteral("<B></B>");
inline const QString kItalicTag = QStringLiteral("<I></I>");
inline const QString kUnderlineTag = QStringLiteral("<U></U>");
inline const QString kRuleTag = QStringLiteral("<HR>");

/// The seven-line page skeleton, lines joined by CR LF, none after the last.
inline const QString kSkeleton = QStringLiteral(
    "<HTML>\r\n<HEAD>\r\n<TITLE></TITLE>\r\n</HEAD>\r\n<BODY>\r\n</BODY>\r\n</HTML>");

} // namespace html
