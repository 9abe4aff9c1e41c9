// Link-time wrappers (ld --wrap) around the calls the row copy makes: each forwards to the
// real function and adds the time it took to a phase. Only the benchmark programs are linked
// with them; the product's objects stay untouched.

#include "BenchProbes.h"

#include "SourceConnection.h"
#include "TargetConnection.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

BenchProbes& Probes() {
    static BenchProbes probes;
    return probes;
}

void ResetProbes() {
    Probes() = BenchProbes{};
}

// Under the Itanium C++ ABI a member function is called like a free function whose first
// argument (after a returned object's address) is the object.
std::optional<SourceResult> realListFields(SourceConnection*, const std::string&) __asm__(
    "__real__ZN16SourceConnection10ListFieldsERKNSt7__"
    "cxx1112basic_stringIcSt11char_traitsIcESaIcEEE");
std::optional<SourceField>
realFetchField(SourceConnection*,
               SourceResult&) __asm__("__real__ZN16SourceConnection10FetchFieldER12SourceResult");
SourceRow
realFetchRow(SourceConnection*,
             SourceResult&) __asm__("__real__ZN16SourceConnection8FetchRowER12SourceResult");
void realExecute(TargetConnection*, const std::string&) __asm__(
    "__real__ZN16TargetConnection7ExecuteERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE");
std::string realRenderColumnValue(const char*, int, std::uint32_t, const std::string&) __asm__(
    "__real__Z17RenderColumnValuePKcijRKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE");
std::string realMapColumnType(int, std::uint32_t,
                              std::uint32_t) __asm__("__real__Z13MapColumnTypeB5cxx11ijj");

std::optional<SourceResult> wrapListFields(SourceConnection*, const std::string&) __asm__(
    "__wrap__ZN16SourceConnection10ListFieldsERKNSt7__"
    "cxx1112basic_stringIcSt11char_traitsIcESaIcEEE");
std::optional<SourceField>
wrapFetchField(SourceConnection*,
               SourceResult&) __asm__("__wrap__ZN16SourceConnection10FetchFieldER12SourceResult");
SourceRow
wrapFetchRow(SourceConnection*,
             SourceResult&) __asm__("__wrap__ZN16SourceConnection8FetchRowER12SourceResult");
void wrapExecute(TargetConnection*, const std::string&) __asm__(
    "__wrap__ZN16TargetConnection7ExecuteERKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE");
std::string wrapRenderColumnValue(const char*, int, std::uint32_t, const std::string&) __asm__(
    "__wrap__Z17RenderColumnValuePKcijRKNSt7__cxx1112basic_stringIcSt11char_traitsIcESaIcEEE");
std::string wrapMapColumnType(int, std::uint32_t,
                              std::uint32_t) __asm__("__wrap__Z13MapColumnTypeB5cxx11ijj");

std::optional<SourceResult> wrapListFields(SourceConnection* self, const std::string& table) {
    PhaseTimer timer(Probes().listFields);
    return realListFields(self, table);
}

std::optional<SourceField> wrapFetchField(SourceConnection* self, SourceResult& fields) {
    PhaseTimer timer(Probes().fetchField);
    return realFetchField(self, fields);
}

SourceRow wrapFetchRow(SourceConnection* self, SourceResult& result) {
    PhaseTimer timer(Probes().fetchRow);
    return realFetchRow(self, result);
}

void wrapExecute(TargetConnection* self, const std::string& statement) {
    BenchPhase& phase = statement.rfind("INSERT", 0) == 0 ? Probes().oracleInsert
                        : statement == "COMMIT"           ? Probes().oracleCommit
                                                          : Probes().oracleOther;
    PhaseTimer timer(phase);
    realExecute(self, statement);
}

std::string wrapRenderColumnValue(const char* raw, int typeCode, std::uint32_t length,
                                  const std::string& oracleType) {
    PhaseTimer timer(Probes().render);
    return realRenderColumnValue(raw, typeCode, length, oracleType);
}

std::string wrapMapColumnType(int typeCode, std::uint32_t length, std::uint32_t charset) {
    PhaseTimer timer(Probes().mapType);
    return realMapColumnType(typeCode, length, charset);
}

OwnWorkCost MeasureOwnWork(const std::string& table) {
    OwnWorkCost cost;
    SourceConnection& source = TheSourceConnection();
    std::vector<SourceField> fields;
    if (std::optional<SourceResult> list = realListFields(&source, table)) {
        while (std::optional<SourceField> field = realFetchField(&source, *list))
            fields.push_back(*field);
        source.FreeResult(*list);
    }
    if (source.Query("SELECT * FROM " + QuoteSourceName(table)) != 0)
        return cost;
    std::optional<SourceResult> result = source.StoreResult();
    if (!result)
        return cost;
    // The same work as the copy does for a row between its field listing and its INSERT:
    // the type text and the literal of every column, then the statement around them.
    const std::string prefix = "INSERT INTO \"SYSTEM\".MEASUREMENTS VALUES(";
    std::string values;
    std::string statement;
    std::size_t bytes = 0;
    const auto start = std::chrono::steady_clock::now();
    while (SourceRow row = realFetchRow(&source, *result)) {
        values.clear();
        for (unsigned column = 0; column < row.fieldCount() && column < fields.size(); ++column) {
            const SourceField& field = fields[column];
            values += realRenderColumnValue(
                row[column], field.type, field.length,
                realMapColumnType(field.type, field.length, field.charsetNumber));
        }
        if (!values.empty())
            values.pop_back();
        statement.assign(prefix);
        statement += values;
        statement += ')';
        bytes += statement.size();
        ++cost.rows;
    }
    cost.time = std::chrono::steady_clock::now() - start;
    cost.statementBytes = static_cast<std::int64_t>(bytes);
    source.FreeResult(*result);
    return cost;
}

std::chrono::nanoseconds MeasureFieldListing(const std::string& table, int rounds) {
    SourceConnection& source = TheSourceConnection();
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < rounds; ++i) {
        if (std::optional<SourceResult> list = realListFields(&source, table)) {
            while (realFetchField(&source, *list)) {
            }
            source.FreeResult(*list);
        }
    }
    return (std::chrono::steady_clock::now() - start) / rounds;
}
