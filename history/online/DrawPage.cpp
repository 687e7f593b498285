#include "DrawPage.h"

#include "Gb18030.h"

#include <QByteArray>
#include <QRegularExpression>
#include <libxml/HTMLparser.h>
#include <libxml/parser.h>
#include <libxml/tree.h>
#include <libxml/xmlerror.h>

#include <cstring>
#include <memory>
#include <string_view>

namespace quorlent {

namespace {

void ignoreError(void *, const char *, ...) {}
void ignoreStructuredError(void *, xmlErrorPtr) {}

// libxml2 reports some problems (encoding conversions above all) through its generic handlers even
// when the parser was told to keep quiet; a hostile page must not fill the log, so they are
// silenced for the duration of one parse and then given back.
class QuietLibxml
{
public:
    QuietLibxml()
        : m_generic(xmlGenericError), m_genericContext(xmlGenericErrorContext),
          m_structured(xmlStructuredError), m_structuredContext(xmlStructuredErrorContext)
    {
        xmlSetGenericErrorFunc(nullptr, ignoreError);
        xmlSetStructuredErrorFunc(nullptr, ignoreStructuredError);
    }
    ~QuietLibxml()
    {
        xmlSetGenericErrorFunc(m_genericContext, m_generic);
        xmlSetStructuredErrorFunc(m_structuredContext, m_structured);
    }
    QuietLibxml(const QuietLibxml &) = delete;
    QuietLibxml &operator=(const QuietLibxml &) = delete;

private:
    xmlGenericErrorFunc m_generic;
    void *m_genericContext;
    xmlStructuredErrorFunc m_structured;
    void *m_structuredContext;
};

struct DocFree
{
    void operator()(xmlDoc *doc) const { xmlFreeDoc(doc); }
};

std::string_view nameOf(const xmlNode *node)
{
    return node->name ? std::string_view(reinterpret_cast<const char *>(node->name))
                      : std::string_view();
}

bool isElement(const xmlNode *node, std::string_view name)
{
    return node->type == XML_ELEMENT_NODE && nameOf(node) == name;
}

// Elements whose content a browser does not render as text.
bool isHiddenContent(std::string_view name)
{
    return name == "script" || name == "style" || name == "template" || name == "head";
}

// Elements that start on a line of their own (or, for cells, are set apart by a tab): their
// content never runs into the text beside them.
bool separatesText(std::string_view name)
{
    static constexpr std::string_view kSeparating[] = {
        "address", "article", "aside",   "blockquote", "br",      "caption", "center", "dd",
        "details", "dialog",  "dir",     "div",        "dl",      "dt",      "fieldset",
        "figcaption", "figure", "footer", "form",      "h1",      "h2",      "h3",     "h4",
        "h5",      "h6",      "header",  "hr",         "li",      "main",    "menu",   "nav",
        "ol",      "p",       "pre",     "section",    "summary", "table",   "tbody",  "td",
        "tfoot",   "th",      "thead",   "tr",         "ul"};
    for (std::string_view s : kSeparating) {
        if (s == name)
            return true;
    }
    return false;
}

// The id attribute's value equals `wanted`.
bool hasId(xmlNode *node, const char *wanted)
{
    for (xmlAttr *attr = node->properties; attr; attr = attr->next) {
        if (!attr->name || std::strcmp(reinterpret_cast<const char *>(attr->name), "id") != 0)
            continue;
        xmlChar *value = xmlNodeListGetString(node->doc, attr->children, 1);
        const bool same =
            value ? std::strcmp(reinterpret_cast<const char *>(value), wanted) == 0 : *wanted == 0;
        xmlFree(value);
        return same;
    }
    return false;
}

// Next node in document order below `root`, or null. Never recursive: pages nested a hundred
// thousand levels deep must not exhaust the stack.
xmlNode *nextInOrder(xmlNode *node, const xmlNode *root, bool descend)
{
    if (descend && node->children)
        return node->children;
    while (node && node != root) {
        if (node->next)
            return node->next;
        node = node->parent;
    }
    return nullptr;
}

xmlNode *findById(xmlDoc *doc, const char *id)
{
    xmlNode *root = reinterpret_cast<xmlNode *>(doc);
    for (xmlNode *node = doc->children; node; node = nextInOrder(node, root, true)) {
        if (node->type == XML_ELEMENT_NODE && hasId(node, id))
            return node;
    }
    return nullptr;
}

QString collapseBlanks(const QString &raw)
{
    QString text;
    text.reserve(raw.size());
    bool pendingBlank = false;
    for (QChar c : raw) {
        if (c.isSpace()) {
            pendingBlank = true;
            continue;
        }
        if (pendingBlank && !text.isEmpty())
            text += QLatin1Char(' ');
        pendingBlank = false;
        text += c;
    }
    return text;
}

QString cellText(xmlNode *cell)
{
    QByteArray raw;
    xmlNode *node = cell->children;
    while (node) {
        bool descend = false;
        if (node->type == XML_TEXT_NODE || node->type == XML_CDATA_SECTION_NODE) {
            if (node->content)
                raw += reinterpret_cast<const char *>(node->content);
        } else if (node->type == XML_ELEMENT_NODE) {
            const std::string_view name = nameOf(node);
            if (!isHiddenContent(name)) {
                if (separatesText(name))
                    raw += ' ';
                descend = node->children != nullptr;
            }
        }
        if (descend) {
            node = node->children;
            continue;
        }
        // Leaving `node` and every ancestor that has no more children, up to the cell itself.
        while (node != cell && !node->next) {
            node = node->parent;
            if (node != cell && node->type == XML_ELEMENT_NODE && separatesText(nameOf(node)))
                raw += ' ';
        }
        node = node == cell ? nullptr : node->next;
    }
    return collapseBlanks(QString::fromUtf8(raw));
}

QStringList rowCells(xmlNode *row)
{
    QStringList cells;
    for (xmlNode *child = row->children; child; child = child->next) {
        if (isElement(child, "td") || isElement(child, "th"))
            cells << cellText(child);
    }
    return cells;
}

// The table's own rows in the order of the DOM's rows collection. A browser moves stray markup
// out of a table (a form between the table and its rows, for one) and keeps the rows in the table;
// libxml2 keeps the stray element and puts the rows inside it. So elements other than sections,
// rows, cells and nested tables are looked through, never into cells or nested tables: their rows
// belong to them.
std::vector<xmlNode *> tableRows(xmlNode *table)
{
    enum Section { Head, Body, Foot };
    std::vector<xmlNode *> rows[3];
    struct Pending
    {
        xmlNode *node;
        Section section;
    };
    // An explicit stack: the depth of stray markup is whatever the page makes it.
    std::vector<Pending> stack;
    for (xmlNode *child = table->last; child; child = child->prev)
        stack.push_back({child, Body});
    while (!stack.empty()) {
        const Pending current = stack.back();
        stack.pop_back();
        xmlNode *node = current.node;
        if (node->type != XML_ELEMENT_NODE)
            continue;
        const std::string_view name = nameOf(node);
        if (name == "tr") {
            rows[current.section].push_back(node);
            continue;
        }
        if (name == "table" || name == "td" || name == "th" || name == "caption" ||
            isHiddenContent(name))
            continue;
        Section section = current.section;
        if (name == "thead")
            section = Head;
        else if (name == "tbody")
            section = Body;
        else if (name == "tfoot")
            section = Foot;
        for (xmlNode *child = node->last; child; child = child->prev)
            stack.push_back({child, section});
    }
    std::vector<xmlNode *> ordered = std::move(rows[Head]);
    ordered.insert(ordered.end(), rows[Body].begin(), rows[Body].end());
    ordered.insert(ordered.end(), rows[Foot].begin(), rows[Foot].end());
    return ordered;
}

// Chinese results sites often serve GB2312 or GBK pages. libxml2 converts them only where it was
// built with iconv, which the Windows build is not: such a page is decoded to UTF-8 here first,
// the same way on every system.
bool declaresGbCharset(QByteArrayView html)
{
    static const QRegularExpression charset(
        QStringLiteral(R"(charset\s*=\s*["']?\s*(gb2312|gbk|gb18030|x-gbk|cp936)\b)"),
        QRegularExpression::CaseInsensitiveOption);
    const QByteArrayView head = html.first(std::min<qsizetype>(html.size(), 4096));
    return charset.match(QString::fromLatin1(head.data(), head.size())).hasMatch();
}

} // namespace

DrawPage DrawPage::parse(QByteArrayView html)
{
    DrawPage page;
    if (html.size() > kMaxParsedBytes)
        html = html.first(kMaxParsedBytes);
    if (html.isEmpty())
        return page;

    int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET;
    const char *encoding = nullptr;
    QByteArray utf8;
    if (declaresGbCharset(html)) {
        if (std::optional<QString> text = platform::decodeGb18030(html)) {
            utf8 = text->toUtf8();
            html = utf8;
            encoding = "UTF-8";
            options |= HTML_PARSE_IGNORE_ENC;
        }
    }

    xmlInitParser();
    QuietLibxml quiet;
    std::unique_ptr<xmlDoc, DocFree> doc(htmlReadMemory(html.data(), static_cast<int>(html.size()),
                                                        nullptr, encoding, options));
    if (!doc)
        return page;

    xmlNode *table = findById(doc.get(), "draw_list");
    if (!table || !isElement(table, "table"))
        return page;

    const std::vector<xmlNode *> rows = tableRows(table);
    if (rows.empty()) {
        page.status = Status::NoRows;
        return page;
    }
    page.status = Status::Rows;
    page.rows.reserve(rows.size());
    for (xmlNode *row : rows)
        page.rows.push_back(rowCells(row));
    return page;
}

} // namespace quorlent
