#include "framework/data/data_source/data_source_list.h"

#include <string>
#include <vector>

#include "runtime/core/object.h"
#include "runtime/core/runtime.h"
#include "runtime/core/send.h"

namespace vorpex::data {

namespace {

std::vector<rt::Value>& items() {
    rt::Value& list = dataSources();
    if (!list.isArray()) list = rt::Value::array();
    return list.asArray()->items;
}

// A copy, newest first: ending a source takes it out of the list being walked.
std::vector<rt::Value> newestFirst() {
    std::vector<rt::Value> copy(items().rbegin(), items().rend());
    return copy;
}

bool callLogical(const char* name) {
    const rt::Function* f = rt::findFunction(name);
    if (!f) return false;
    const rt::Value answer = (*f)({});
    return answer.isLogical() && answer.asLogical();
}

int openDataSets(const rt::Value& source) {
    const rt::Value sets = rt::send(source, "aDataSet");
    if (!sets.isArray()) return 0;
    int open = 0;
    static const rt::Symbol lOpen = rt::Symbol::intern("lOpen");
    for (const rt::Value& set : sets.asArray()->items) {
        if (!set.isObject() || !rt::understands(set, lOpen)) continue;
        const rt::Value on = rt::send(set, lOpen);
        if (on.isLogical() && on.asLogical()) ++open;
    }
    return open;
}

void endSource(const rt::Value& source) {
    if (source.isObject()) rt::send(source, "End");
    // A source whose End was replaced without reaching Destroy must still leave the list.
    if (source.isObject()) leaveDataSources(*source.asObject());
}

}  // namespace

rt::Value& dataSources() {
    static rt::Value list = rt::Value::array();
    return list;
}

void joinDataSources(const rt::Value& source) { items().push_back(source); }

void leaveDataSources(const rt::Object& source) {
    std::vector<rt::Value>& list = items();
    std::erase_if(list, [&](const rt::Value& v) { return v.isObject() && v.asObject().get() == &source; });
}

rt::Value DATASOURCES(rt::Args args) {
    rt::Value old = dataSources();
    if (rt::arg(args, 0).isArray()) dataSources() = rt::arg(args, 0);
    return old;
}

void DATASOURCECLOSEALL() {
    for (const rt::Value& source : newestFirst()) endSource(source);
}

void DATASOURCEEXITPROC() {
    for (const rt::Value& source : newestFirst()) {
        const int open = openDataSets(source);
        if (open > 0 && callLogical("ISDEBUG")) {
            const std::string text = "VORPEX " + rt::send(source, "ClassName").asString() + ": " +
                                     std::to_string(open) + " files not closed correctly";
            if (const rt::Function* alert = rt::findFunction("MSGALERT")) {
                const rt::Value arg(text);
                (*alert)(rt::Args(&arg, 1));
            }
        }
        endSource(source);
    }
}

}  // namespace vorpex::data
