// A small streaming XML text writer for the schema and spatial-context
// writers.
//
// Xerces' DOM serializer would do, but FDO's external form is fixed down to
// attribute order and indentation, and building text directly states that
// order in the writing code. Text is escaped for element content and for
// attribute values (so newlines and tabs survive attribute normalisation);
// a character XML 1.0 cannot carry raises FdoXmlException naming where it
// was found.
#pragma once

#include <Fdo/Common/StringP.h>

#include <string>
#include <vector>

class FdoXmlTextWriter {
public:
    FdoXmlTextWriter();

    void StartElement(FdoString* qname);
    void Attribute(FdoString* qname, FdoString* value);
    // Element content; the element is then closed on the same line.
    void Text(FdoString* text);
    void EndElement();
    // Shorthand: <qname>text</qname>.
    void TextElement(FdoString* qname, FdoString* text);

    // The UTF-8 document; all elements must be closed.
    const std::string& Result();

private:
    void CloseStartTag();
    void Indent();
    void Escape(FdoString* text, bool attribute, FdoString* where);

    struct Open {
        std::wstring name;
        bool hasChildren = false;
        bool hasText = false;
    };
    std::string m_out;
    std::vector<Open> m_stack;
    bool m_startTagOpen = false;
};
