#include "wayback/setup_log.h"

#include "platform/framework/format_text.h"
#include "platform/quoted_text.h"
#include "wayback/whole_file.h"

LogLine::LogLine(std::string_view word) {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char stamp[64];
    vp::FormatText(stamp, sizeof stamp, "%04u-%02u-%02u %02u:%02u:%02u ", now.wYear, now.wMonth,
                   now.wDay, now.wHour, now.wMinute, now.wSecond);
    m_line = stamp;
    m_line += word;
    m_detailsAt = m_line.size();
}

LogLine::~LogLine() {
    m_line += "\r\n";
    AppendToFile(WindowsDirectoryFile(kSetupLogName), m_line);
}

void LogLine::StartPiece() {
    if (m_line.size() == m_detailsAt)
        m_line += ' ';
}

LogLine &LogLine::Text(std::string_view text) {
    StartPiece();
    m_line += vp::VisibleText(text);
    return *this;
}

LogLine &LogLine::Quoted(std::string_view text) {
    StartPiece();
    m_line += vp::QuotedText(text);
    return *this;
}

LogLine &LogLine::Outcome(DWORD code) {
    StartPiece();
    char text[24];
    vp::FormatText(text, sizeof text, code ? "error %lu" : "ok", static_cast<unsigned long>(code));
    m_line += text;
    return *this;
}

LogLine &LogLine::Result(DWORD code) {
    return Text(" -> ").Outcome(code);
}
