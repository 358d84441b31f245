// Streaming XML text output (see XmlTextWriter.h).
#include "xml/XmlTextWriter.h"

#include <Fdo/Common/Exception.h>

FdoXmlTextWriter::FdoXmlTextWriter() { m_out = "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"; }

void FdoXmlTextWriter::CloseStartTag() {
    if (m_startTagOpen) {
        m_out += '>';
        m_startTagOpen = false;
    }
}

void FdoXmlTextWriter::Indent() {
    if (!m_stack.empty() || m_out.back() != '\n') m_out += '\n';
    m_out.append(m_stack.size(), '\t');
}

void FdoXmlTextWriter::StartElement(FdoString* qname) {
    CloseStartTag();
    if (!m_stack.empty()) m_stack.back().hasChildren = true;
    Indent();
    m_out += '<';
    m_out += FdoStringP::Utf8FromUnicode(qname);
    m_stack.push_back(Open{qname, false, false});
    m_startTagOpen = true;
}

void FdoXmlTextWriter::Attribute(FdoString* qname, FdoString* value) {
    m_out += ' ';
    m_out += FdoStringP::Utf8FromUnicode(qname);
    m_out += "=\"";
    Escape(value, true, qname);
    m_out += '"';
}

void FdoXmlTextWriter::Text(FdoString* text) {
    if (!text || !*text) return;
    CloseStartTag();
    m_stack.back().hasText = true;
    Escape(text, false, m_stack.back().name.c_str());
}

void FdoXmlTextWriter::EndElement() {
    Open top = m_stack.back();
    m_stack.pop_back();
    if (m_startTagOpen) {
        m_out += "/>";
        m_startTagOpen = false;
        return;
    }
    if (top.hasChildren && !top.hasText) Indent();
    m_out += "</" + FdoStringP::Utf8FromUnicode(top.name.c_str()) + ">";
}

void FdoXmlTextWriter::TextElement(FdoString* qname, FdoString* text) {
    StartElement(qname);
    Text(text);
    EndElement();
}

const std::string& FdoXmlTextWriter::Result() {
    if (m_out.back() != '\n') m_out += '\n';
    return m_out;
}

void FdoXmlTextWriter::Escape(FdoString* text, bool attribute, FdoString* where) {
    std::wstring safe;
    for (FdoString* p = text ? text : L""; *p; p++) {
        wchar_t c = *p;
        switch (c) {
            case L'&': safe += L"&amp;"; continue;
            case L'<': safe += L"&lt;"; continue;
            case L'>': safe += L"&gt;"; continue;
            case L'"': safe += attribute ? L"&quot;" : L"\""; continue;
            case L'\r': safe += L"&#xD;"; continue;
            case L'\n': safe += attribute ? L"&#xA;" : L"\n"; continue;
            case L'\t': safe += attribute ? L"&#x9;" : L"\t"; continue;
            default: break;
        }
        bool valid = (c >= 0x20 && c <= 0xD7FF) || (c >= 0xE000 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0x10FFFF);
        if (!valid)
            throw FdoXmlException::Create(FdoStringP::Format(
                L"Character U+%04X cannot be written to XML (in '%ls').", static_cast<unsigned>(c), where));
        safe += c;
    }
    m_out += FdoStringP::Utf8FromUnicode(safe.c_str());
}
