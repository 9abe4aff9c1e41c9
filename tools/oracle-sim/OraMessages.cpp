#include "OraMessages.h"

#include <cstdio>
#include <map>

namespace oraclesim {

namespace {

std::string arg(const OraError& error, std::size_t index) {
    return index < error.args.size() ? error.args[index] : std::string();
}

std::string prefix(int number) {
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "ORA-%05d: ", number);
    return buffer;
}

std::string classicText(const OraError& e) {
    switch (e.number) {
    case 1:
        return "unique constraint (" + arg(e, 0) + ") violated";
    case 900:
        return "invalid SQL statement";
    case 600:
        return "internal error code, arguments: [oracle-sim], [" + arg(e, 0) + "]";
    case 901:
        return "invalid CREATE command";
    case 902:
        return "invalid datatype";
    case 903:
        return "invalid table name";
    case 904:
        return arg(e, 0).empty() ? std::string(": invalid identifier")
                                 : "\"" + arg(e, 0) + "\": invalid identifier";
    case 905:
        return "missing keyword";
    case 906:
        return "missing left parenthesis";
    case 907:
        return "missing right parenthesis";
    case 910:
        return "specified length too long for its datatype";
    case 911:
        return "invalid character";
    case 913:
        return "too many values";
    case 917:
        return "missing comma";
    case 920:
        return "invalid relational operator";
    case 922:
        return "missing or invalid option";
    case 923:
        return "FROM keyword not found where expected";
    case 925:
        return "missing INTO keyword";
    case 926:
        return "missing VALUES keyword";
    case 932:
        return "inconsistent datatypes: expected " + arg(e, 0) + " got " + arg(e, 1);
    case 933:
        return "SQL command not properly ended";
    case 936:
        return "missing expression";
    case 942:
        return "table or view does not exist";
    case 947:
        return "not enough values";
    case 950:
        return "invalid DROP option";
    case 955:
        return "name is already used by an existing object";
    case 957:
        return "duplicate column name";
    case 972:
        return "identifier is too long";
    case 984:
        return "column not allowed here";
    case 1002:
        return "fetch out of sequence";
    case 1005:
        return "null password given; logon denied";
    case 1013:
        return "user requested cancel of current operation";
    case 1017:
        return "invalid username/password; logon denied";
    case 1031:
        return "insufficient privileges";
    case 1034:
        return "ORACLE not available\nORA-27101: shared memory realm does not exist";
    case 1400:
        return "cannot insert NULL into (" + arg(e, 0) + ")";
    case 1438:
        return "value larger than specified precision allowed for this column";
    case 1450:
        return "maximum key length (6398) exceeded";
    case 1465:
        return "invalid hex number";
    case 1704:
        return "string literal too long";
    case 1722:
        return "invalid number";
    case 1723:
        return "zero-length columns are not allowed";
    case 1727:
        return "numeric precision specifier is out of range (1 to 38)";
    case 1740:
        return "missing double quote in identifier";
    case 1741:
        return "illegal zero-length identifier";
    case 1756:
        return "quoted string not properly terminated";
    case 1792:
        return "maximum number of columns in a table or view is 1000";
    case 1861:
        return "literal does not match format string";
    case 1918:
        return "user '" + arg(e, 0) + "' does not exist";
    case 2260:
        return "table can have only one primary key";
    case 2261:
        return "such unique or primary key already exists in the table";
    case 2263:
        return "need to specify the datatype for this column";
    case 2264:
        return "name already used by an existing constraint";
    case 2329:
        return "column of datatype LOB cannot be unique or a primary key";
    case 3001:
        return "unimplemented feature";
    case 3113:
        return "end-of-file on communication channel";
    case 3114:
        return "not connected to ORACLE";
    case 12154:
        return "TNS:could not resolve the connect identifier specified";
    case 12162:
        return "TNS:net service name is incorrectly specified";
    case 12514:
        return "TNS:listener does not currently know of service requested in connect "
               "descriptor";
    case 12541:
        return "TNS:no listener";
    case 12705:
        return "Cannot access NLS data files or invalid environment specified";
    case 12899:
        return "value too large for column " + arg(e, 0) + " (actual: " + arg(e, 1) +
               ", maximum: " + arg(e, 2) + ")";
    case 24315:
        return "illegal attribute type";
    case 24333:
        return "zero iteration count";
    case 24337:
        return "statement handle not prepared";
    case 24373:
        return "invalid length specified for statement";
    case 24374:
        return "define not done before fetch or execute and fetch";
    case 28000:
        return "The account is locked.";
    case 28001:
        return "the password has expired";
    case 28002:
        return "the password will expire within 7 days";
    default:
        return "message " + std::to_string(e.number) + " not found";
    }
}

// 23ai rewords some messages; the rest keep their classic text.
bool text23ai(const OraError& e, std::string& text) {
    switch (e.number) {
    case 1:
        text = "unique constraint (" + arg(e, 0) + ") violated on table " + arg(e, 1) +
               " columns (" + arg(e, 2) +
               ")\nORA-03301: (ORA-00001 details) row with column "
               "values (" +
               arg(e, 3) + ") already exists";
        return true;
    case 926:
        text = "Missing VALUES or SET keyword";
        return true;
    case 942:
        text = "table or view " + arg(e, 0) + " does not exist";
        return true;
    case 1017:
        text = "invalid credential or not authorized; logon denied";
        return true;
    case 1034:
        text = "The Oracle instance is not available for use. Start the instance.";
        return true;
    case 2329:
        text = "Column of data type LOB cannot be unique or a primary key.";
        return true;
    case 12154:
        text = "Cannot connect to database. Cannot find alias " + arg(e, 0) +
               " in /opt/oracle/network/admin/tnsnames.ora.";
        return true;
    case 12514:
        text = "Cannot connect to database. Service " + arg(e, 0) +
               " is not registered with the listener at host " + arg(e, 1) + " port " + arg(e, 2) +
               ".";
        return true;
    case 12541:
        text = "Cannot connect to database. No listener at host " + arg(e, 1) + " port " +
               arg(e, 2) + ".";
        return true;
    default:
        return false;
    }
}

// NLS_LANG=GERMAN translates the messages the program looks at.
bool germanText(const OraError& e, std::string& text) {
    static const std::map<int, std::string> texts = {
        {903, "Ung\xC3\xBCltiger Tabellenname"},
        {926, "Schl\xC3\xBCsselwort VALUES fehlt"},
        {942, "Tabelle oder View nicht vorhanden"},
        {955, "Name wird bereits von vorhandenem Objekt verwendet"},
        {1017, "Benutzername/Passwort ung\xC3\xBCltig; Anmeldung abgelehnt"},
        {1034, "ORACLE nicht verf\xC3\xBCgbar"},
        {1704, "Zeichenfolgenliteral zu lang"},
        {12154, "TNS: Angegebener Connect Identifier konnte nicht aufgel\xC3\xB6st werden"},
        {12514, "TNS: Listener kann in Connect-Deskriptor angegebenen Service aktuell nicht "
                "aufl\xC3\xB6sen"},
    };
    const auto found = texts.find(e.number);
    if (found == texts.end())
        return false;
    text = found->second;
    return true;
}

} // namespace

std::string formatOraError(const OraError& error, const MessageStyle& style) {
    if (!error.customText.empty()) {
        if (error.customText.rfind("ORA-", 0) == 0)
            return error.customText;
        return prefix(error.number) + error.customText;
    }
    std::string text;
    if (!(style.german && germanText(error, text)) && !(style.wording23ai && text23ai(error, text)))
        text = classicText(error);
    std::string result = prefix(error.number) + text;
    if (style.wording23ai) {
        char help[96];
        std::snprintf(help, sizeof help, "\nHelp: https://docs.oracle.com/error-help/db/ora-%05d/",
                      error.number);
        result += help;
    }
    return result;
}

} // namespace oraclesim
