#pragma once

// Option handling and output that the data-set subcommands (build, demo, info) share.

#include "ToolCommon.h"
#include "data/DataWriter.h"

#include <optional>
#include <string>
#include <string_view>

// The date of --date YYYY-MM-DDTHH:MM:SS, or fallback when the option is absent; nullopt
// (after a message on stderr) when it is given without a value or in another form.
std::optional<TCreationDate> CreationDateOption(TToolArguments& arguments, const TCreationDate& fallback);

// The current local date and time, to the second.
TCreationDate LocalCreationDate();

// Call after every option has been claimed: false (after a message and the usage on stderr)
// when a word is left over.
bool NoExtraArguments(TToolArguments& arguments, std::string_view usage);

// Prints text and the usage on stderr and returns ExitBadInput.
int UsageError(std::u16string_view text, std::string_view usage);

// The end of a subcommand that makes a data set: unless made tells why source could not be
// made, writes its six data files into the folder out and prints the counts of sutras and
// subjects. ExitBadInput after the failure's message on stderr when either step failed.
int WriteDataSetAndCounts(const TResult& made, const TDataSetSource& source, const TCreationDate& date,
                          const std::string& out);
