#include "Xml.h"

#include "Value.h"

#include <cctype>

namespace report {

const std::string* XmlNode::attribute(const std::string& key) const
{
    for (const auto& [k, v] : attributes)
        if (k == key)
            return &v;
    return nullptr;
}

namespace {

class Reader
{
public:
    explicit Reader(const std::string& s)
        : s_(s)
    {
    }

    std::unique_ptr<XmlNode> document()
    {
        if (s_.compare(0, 3, "\xEF\xBB\xBF") == 0)
            i_ = 3;
        miscellany();
        if (atEnd() || s_[i_] != '<')
            fail("el documento no tiene un elemento raíz");
        auto root = element();
        miscellany();
        if (!atEnd())
            fail("hay contenido después del elemento raíz");
        return root;
    }

private:
    bool atEnd() const { return i_ >= s_.size(); }
    bool startsWith(const char* text) const
    {
        return s_.compare(i_, std::char_traits<char>::length(text), text) == 0;
    }

    [[noreturn]] void fail(const std::string& detail) const { failAt(i_, detail); }

    [[noreturn]] void failAt(size_t at, const std::string& detail) const
    {
        int line = 1;
        size_t lineStart = 0;
        for (size_t k = 0; k < at && k < s_.size(); ++k)
            if (s_[k] == '\n') {
                ++line;
                lineStart = k + 1;
            }
        const std::string lineText = s_.substr(lineStart, at - lineStart);
        throw XmlError(line, int(utf8Length(lineText)) + 1, detail);
    }

    int lineAt(size_t at) const
    {
        int line = 1;
        for (size_t k = 0; k < at; ++k)
            line += s_[k] == '\n';
        return line;
    }

    void skipSpace()
    {
        while (!atEnd() && std::isspace(static_cast<unsigned char>(s_[i_])))
            ++i_;
    }

    void skipPast(const char* end, const char* what)
    {
        const size_t at = s_.find(end, i_);
        if (at == std::string::npos)
            fail(std::string("falta cerrar ") + what);
        i_ = at + std::char_traits<char>::length(end);
    }

    // Blanks, comments and processing instructions outside the root element.
    void miscellany()
    {
        while (true) {
            skipSpace();
            if (startsWith("<!--"))
                skipPast("-->", "el comentario");
            else if (startsWith("<?"))
                skipPast("?>", "la declaración <? ?>");
            else if (startsWith("<!DOCTYPE"))
                fail("las declaraciones DOCTYPE no se admiten");
            else
                return;
        }
    }

    std::string name()
    {
        const size_t start = i_;
        while (!atEnd()) {
            const unsigned char c = static_cast<unsigned char>(s_[i_]);
            if (std::isalnum(c) || c == '_' || c == '-' || c == '.' || c == ':' || c >= 0x80)
                ++i_;
            else
                break;
        }
        if (i_ == start)
            fail("se esperaba un nombre");
        return s_.substr(start, i_ - start);
    }

    void entity(std::string& out)
    {
        const size_t start = i_;
        const size_t end = s_.find(';', i_);
        if (end == std::string::npos || end - i_ > 10)
            fail("\"&\" sin cerrar con \";\" (escriba &amp; para un & literal)");
        const std::string e = s_.substr(i_ + 1, end - i_ - 1);
        i_ = end + 1;
        if (e == "lt")
            out += '<';
        else if (e == "gt")
            out += '>';
        else if (e == "amp")
            out += '&';
        else if (e == "quot")
            out += '"';
        else if (e == "apos")
            out += '\'';
        else if (e.size() > 1 && e[0] == '#') {
            unsigned long code = 0;
            try {
                code = e[1] == 'x' ? std::stoul(e.substr(2), nullptr, 16) : std::stoul(e.substr(1));
            } catch (...) {
                failAt(start, "referencia de carácter no válida &" + e + ";");
            }
            appendUtf8(out, code);
        } else {
            failAt(start, "entidad desconocida &" + e + ";");
        }
    }

    static void appendUtf8(std::string& out, unsigned long c)
    {
        if (c < 0x80) {
            out += char(c);
        } else if (c < 0x800) {
            out += char(0xC0 | (c >> 6));
            out += char(0x80 | (c & 0x3F));
        } else if (c < 0x10000) {
            out += char(0xE0 | (c >> 12));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        } else {
            out += char(0xF0 | (c >> 18));
            out += char(0x80 | ((c >> 12) & 0x3F));
            out += char(0x80 | ((c >> 6) & 0x3F));
            out += char(0x80 | (c & 0x3F));
        }
    }

    std::unique_ptr<XmlNode> element()
    {
        auto node = std::make_unique<XmlNode>();
        node->line = lineAt(i_);
        ++i_; // '<'
        node->name = name();
        while (true) {
            skipSpace();
            if (atEnd())
                fail("el elemento <" + node->name + "> no está cerrado");
            if (startsWith("/>")) {
                i_ += 2;
                return node;
            }
            if (s_[i_] == '>') {
                ++i_;
                break;
            }
            const std::string key = name();
            skipSpace();
            if (atEnd() || s_[i_] != '=')
                fail("se esperaba \"=\" después del atributo " + key);
            ++i_;
            skipSpace();
            if (atEnd() || (s_[i_] != '"' && s_[i_] != '\''))
                fail("el valor del atributo " + key + " va entre comillas");
            const char quote = s_[i_++];
            std::string value;
            while (true) {
                if (atEnd())
                    fail("falta cerrar las comillas del atributo " + key);
                const char c = s_[i_];
                if (c == quote) {
                    ++i_;
                    break;
                }
                if (c == '<')
                    fail("\"<\" dentro del atributo " + key + " (escriba &lt;)");
                if (c == '&')
                    entity(value);
                else
                    value += s_[i_++];
            }
            if (node->attribute(key))
                fail("el atributo " + key + " está repetido");
            node->attributes.emplace_back(key, std::move(value));
        }
        content(*node);
        return node;
    }

    void content(XmlNode& node)
    {
        while (true) {
            if (atEnd())
                fail("falta cerrar el elemento <" + node.name + "> de la línea " +
                     std::to_string(node.line));
            if (startsWith("</")) {
                const size_t at = i_;
                i_ += 2;
                const std::string closing = name();
                skipSpace();
                if (atEnd() || s_[i_] != '>')
                    fail("se esperaba \">\"");
                ++i_;
                if (closing != node.name)
                    failAt(at, "se cierra </" + closing + "> pero está abierto <" + node.name +
                                   "> de la línea " + std::to_string(node.line));
                return;
            }
            if (startsWith("<!--")) {
                skipPast("-->", "el comentario");
            } else if (startsWith("<![CDATA[")) {
                const size_t start = i_ + 9;
                skipPast("]]>", "la sección CDATA");
                node.text += s_.substr(start, i_ - 3 - start);
            } else if (startsWith("<?")) {
                skipPast("?>", "la instrucción <? ?>");
            } else if (s_[i_] == '<') {
                node.children.push_back(element());
            } else if (s_[i_] == '&') {
                entity(node.text);
            } else {
                node.text += s_[i_++];
            }
        }
    }

    const std::string& s_;
    size_t i_ = 0;
};

} // namespace

std::unique_ptr<XmlNode> parseXml(const std::string& document)
{
    return Reader(document).document();
}

} // namespace report
