#include "app/CommandLineReport.h"

#include "app/CommandLine.h"
#include "common/ProductInfo.h"

namespace CommandLineReport
{
    using DriverRemoval::State;

    namespace
    {
        juce::String pathOf (const DriverRemoval::Bundle& bundle)
        {
            return juce::String::fromUTF8 (bundle.path.c_str());
        }
    }

    juce::String toLines (const std::vector<DriverRemoval::Bundle>& bundles)
    {
        juce::String text;

        for (auto& bundle : bundles)
        {
            text << DriverRemoval::toText (bundle.state) << "\t" << pathOf (bundle);

            if (! bundle.reason.empty())
                text << "\t" << juce::String::fromUTF8 (bundle.reason.c_str());

            text << "\n";
        }

        return text;
    }

    juce::String toJson (const std::vector<DriverRemoval::Bundle>& bundles)
    {
        juce::Array<juce::var> list;

        for (auto& bundle : bundles)
        {
            auto entry = std::make_unique<juce::DynamicObject>();
            entry->setProperty ("path", pathOf (bundle));
            entry->setProperty ("state", DriverRemoval::toText (bundle.state));

            if (! bundle.reason.empty())
                entry->setProperty ("reason", juce::String::fromUTF8 (bundle.reason.c_str()));
            list.add (entry.release());
        }

        auto report = std::make_unique<juce::DynamicObject>();
        report->setProperty ("version", ProductInfo::version);
        report->setProperty ("changed", DriverRemoval::anyIn (bundles, State::removed));
        report->setProperty ("bundles", list);
        return juce::JSON::toString (report.release(), true) + "\n";
    }

    int exitStatus (const std::vector<DriverRemoval::Bundle>& bundles)
    {
        return DriverRemoval::anyIn (bundles, State::remains) ? CommandLine::bundleRemains : CommandLine::success;
    }
}
