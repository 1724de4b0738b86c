#include "ToolLanguage.h"

#include "util/TextCodec.h"

#include <QLocale>

#include <array>
#include <cstdlib>
#include <optional>
#include <vector>

namespace {

struct TPhrase
{
    std::u16string_view Korean;
    std::u16string_view English;
};

// Each phrase in both languages. A phrase that another one would also match (a longer one
// that begins the same) comes first.
constexpr TPhrase Phrases[] = {
    // The frame of every help text, the usage line and the pointer to the help.
    {u"사용법: %1", u"usage: %1"},
    {u"옵션:", u"Options:"},
    {u"명령:", u"Subcommands:"},
    {u"'%1 --help' 를 보십시오.", u"See '%1 --help'."},
    {u"이 도움말을 출력하고 끝냅니다", u"print this help and exit"},
    {u"옵션의 끝: 그 뒤의 낱말은 \"-\"로 시작해도 인자입니다",
     u"end the options: the words after it are arguments even when they start with \"-\""},
    {u"vesko3의 데이터를 명령줄에서 만들고, 살피고, 검색합니다.",
     u"Make, inspect and search the data sets of vesko3 from the command line."},
    {u"이 도움말을, 명령과 함께면 그 명령의 도움말을 출력하고 끝냅니다",
     u"print this help, or with a subcommand its own help, and exit"},
    {u"버전을 출력하고 끝냅니다", u"print the version and exit"},
    {u"옵션의 값은 \"--name value\"나 \"--name=value\"로 줍니다. \"--\"는 옵션을 끝냅니다.",
     u"Options take their value as \"--name value\" or \"--name=value\"; \"--\" ends the options."},
    {u"명령 하나의 옵션은 \"vesko3-tool SUBCOMMAND --help\"로 봅니다.",
     u"Run \"vesko3-tool SUBCOMMAND --help\" for the options of one subcommand."},
    {u"종료 상태: 0 성공, 1 데이터를 읽지 못했거나 출력을 쓰지 못함,\n2 잘못된 인자나 입력.",
     u"Exit status: 0 success, 1 the data could not be loaded or the output could not be written,\n"
     u"2 bad arguments or input."},
    {u"메시지는 표준 오류로 나가며, 로캘의 언어(한국어 로캘이면 한국어, 아니면 영어)로 씁니다.",
     u"Messages go to standard error, in the language of the locale (Korean under a Korean locale,\n"
     u"English otherwise)."},

    // The subcommands' summaries, options and notes.
    {u"경전 목록의 경전을 모두, 또는 한 부의 것만 나열합니다",
     u"list the sutras of the catalogue, all or one collection's"},
    {u"주제를, 또는 한 주제의 경전을 나열합니다", u"list the subjects, or the sutras of one"},
    {u"경전 N의 보기 하나를 출력합니다", u"print one view of sutra N"},
    {u"소스 폴더에서 여섯 데이터 파일을 씁니다", u"write the six data files from a source folder"},
    {u"표준 입력의 한문을 한자의 한글 음으로 바꾸어 출력합니다",
     u"print the Korean readings of the classical Chinese on standard input"},
    {u"읽기 프로그램처럼 데이터를 읽고 그 내용을 출력합니다",
     u"load the data set as the reader does and print what it holds"},
    {u"늘 같게 만들어지는 예제 데이터를 씁니다", u"write a reproducible demonstration data set"},
    {u"본문에서 단어를 검색하고 그 단어가 있는 경전을 나열합니다",
     u"search the texts for words and list the sutras that hold them"},
    {u"DIR 폴더의 데이터 파일을 읽습니다. 없으면 $VESKO3_DATA, 읽기 프로그램을\n"
     u"처음 시작할 때 고른 폴더, 프로그램 옆의 Data, 플랫폼의 데이터 폴더 안의\n"
     u"vesko3/Data(리눅스에서는 ~/.local/share, 다음에 $XDG_DATA_DIRS의 각 폴더)\n"
     u"가운데 처음 있는 것에서 읽습니다",
     u"read the data files from DIR; without it, from the first that exists of\n"
     u"$VESKO3_DATA, the folder chosen at the reader's first start, Data beside the\n"
     u"program and vesko3/Data in the platform's data folders (~/.local/share, then\n"
     u"each of $XDG_DATA_DIRS on Linux)"},
    {u"경전 목록 순서 대신 이름 순서로", u"in name order instead of catalogue order"},
    {u"부, 번호나 이름으로: %1", u"the collection, by number or name: %1"},
    {u"주제 목록의 S번째 줄(1부터)의 주제에 든 경전을 나열합니다",
     u"list the sutras of the subject in row S of the list, from 1"},
    {u"보기: %1", u"the view: %1"},
    {u"UTF-8 소스의 폴더", u"the folder of UTF-8 sources"},
    {u"여섯 데이터 파일을 쓸 폴더", u"the folder the six data files are written into"},
    {u"파일에 적는 만든 날짜; 주지 않으면 %1", u"the creation date written into the files; %1 unless given"},
    {u"지금(현지 시각)", u"now (local time)"},
    {u"경전 수, 1에서 %1까지; 주지 않으면 %2", u"the number of sutras, 1 to %1; %2 unless given"},
    {u"본문을 만드는 씨앗 수; 주지 않으면 %1", u"the seed the texts are made from; %1 unless given"},
    {u"데이터의 소스도 build가 읽는 꼴로 SRC에 씁니다",
     u"also write the set's sources into SRC, in the form build reads"},
    {u"검색할 본문, 번호나 이름으로:\n%1; 주지 않으면 0", u"the text searched, by number or name:\n%1; 0 unless given"},
    {u"검색할 부, 번호나 이름으로:\n%1; 주지 않으면 0", u"the collection, by number or name:\n%1; 0 unless given"},
    {u"모든 단어가 있는 경전만 나열합니다", u"list only the sutras that hold every word"},
    {u"한자마다 그 이체자는 찾지 않습니다", u"leave out the variant characters of each hanja"},
    {u"빠른 방법 대신 단순한 기준 방법으로 찾습니다", u"scan with the plain reference method instead of the fast one"},
    {u"찾는 데 걸린 시간을 표준 오류에 출력합니다", u"print the scan time on standard error"},
    {u"목록 대신 경전 N(경전 목록의 번호)에서 강조되는 범위를\n본문, 시작, 끝으로 출력합니다",
     u"instead of the list, print the highlighted ranges of sutra N\n(its catalogue number) as family, start and end"},
    {u"목록 대신 찾은 곳마다 용례 한 줄을 출력합니다: 번호,\n본문, 시작, 끝, 앞의 본문 W 단위, 찾은 말, 뒤의 본문 W "
     u"단위\n(W는 0에서 %1까지)",
     u"instead of the list, print a concordance row for each hit: number,\nfamily, start, end, W units of text "
     u"before, the hit, W units after\n(W from 0 to %1)"},
    {u"경전마다 번호, 제목, 이름을 탭으로 나누어 출력하고, 끝에 개수 줄을 출력합니다.",
     u"Prints number, title and name of each sutra, tab-separated, then the count line."},
    {u"줄바꿈은 보기에 든 대로 CR LF로 출력합니다.", u"Line breaks are printed as CR LF, as the views hold them."},
    {u"경전과 주제의 수, 그리고 빠진 BMP 밖 글자의 수를 출력합니다.",
     u"Prints the counts of sutras and subjects and of the characters outside the BMP left out."},
    {u"표준 입력에서 UTF-8 텍스트를 읽어, 줄마다 그 줄, 글자마다 음으로 바꾼 줄,\n빈 줄을 출력합니다. "
     u"CR LF, 홀로 있는 CR, 홀로 있는 LF가\n각각 줄을 끝냅니다.",
     u"Reads UTF-8 text on standard input; for each of its lines prints the line, the line with\neach character "
     u"replaced by its reading, and an empty line. CR LF, a lone CR and a lone LF\neach end a line."},
    {u"같은 옵션은 바이트까지 같은 파일을 만듭니다.", u"The same options give the same files, byte for byte."},
    {u"WORD 하나가 검색어 칸의 한 줄입니다. --marks나 --context가 없으면 경전마다\n번호, 제목, 이름, 단어가 있는 "
     u"본문(1 한글대장경, 2 고려대장경, 4 신수대장경의 합)을\n탭으로 나누어 출력하고, 끝에 개수 줄을 출력합니다.",
     u"Each WORD is a line of the search box. Without --marks or --context, prints for each sutra\nits number, "
     u"title, name and the texts that hold a word (the sum of 1 한글대장경,\n2 고려대장경 and 4 신수대장경), "
     u"tab-separated, then the count line."},

    {u"한 보기의 글 한 대목이 든 줄과 그 인용을 출력합니다",
     u"print the lines and the citation of a passage of a view"},
    {u"줄 번호가 가리키는 줄을 찾습니다", u"find the lines of line references"},
    {u"한 경전의 대응경전을 나열합니다", u"list the parallels of a sutra"},
    {u"경전 N의 두 한문 판본이 다른 곳을 나열합니다", u"list where the two Chinese editions of sutra N differ"},
    {u"TEXT의 한자마다 데이터가 아는 것을 출력합니다", u"print what the data set knows of each hanja of TEXT"},
    {u"단어의 한글 음절마다 그 음을 가진 모든 한자로 읽습니다\n(한문 대장경만; 글자 정보 파일이 있어야 합니다)",
     u"read each Hangul syllable of the words as every hanja with that\n"
     u"reading (Chinese canons only; needs the character file)"},
    {u"경전 N(경전 목록의 번호)의 FAMILY(0 한글대장경, 1 고려대장경, 2 신수대장경) 보기에서\n"
     u"[START, END) 위치의 첫 단위와 마지막 단위가 든 줄의 줄 번호를, 이어서 보기가 인용문\n"
     u"뒤에 붙이는 인용을 탭으로 나누어 출력합니다(위치는 search --marks가 주는 대로).\n"
     u"FAMILY 0이면 줄 번호는 \"-\"입니다. START >= END이거나 글 밖의 위치면\n"
     u"2로 끝납니다.",
     u"Prints the line ids of the lines holding the first and the last unit of view positions\n"
     u"[START, END) of sutra N (its catalogue number) in FAMILY (0 한글대장경, 1 고려대장경,\n"
     u"2 신수대장경; positions as search --marks gives them), then the citation the views copy\n"
     u"after the quote, tab-separated; for FAMILY 0 the line ids are \"-\". START >= END or a\n"
     u"position outside the text exits with 2."},
    {u"REF는 줄 번호(T01n0001_p0011a08, K01n0001_p0011a08)이거나 학자들이 쓰는 꼴의\n"
     u"신수대장경 인용(\"T01, no. 1, p. 11a08\", \"T01n0001, p. 11a08\", \"T1 p11a8\")입니다.\n"
     u"\"-\"는 표준 입력에서 한 줄에 하나씩 읽습니다. 차례대로 저마다 그 인용, 경전 번호,\n"
     u"본문(1 고려대장경, 2 신수대장경), 그 줄 첫 단위의 보기 위치를 탭으로 나누어\n"
     u"출력하고, 그런 줄이 없으면 인용과 \"-\" 셋을 출력합니다. 줄이 없는 인용이\n"
     u"있으면 1로, 인용의 꼴이 아닌 것이 있으면\n"
     u"2로 끝납니다.",
     u"Each REF is a line id (T01n0001_p0011a08, K01n0001_p0011a08) or a Taisho reference as\n"
     u"scholars write it (\"T01, no. 1, p. 11a08\", \"T01n0001, p. 11a08\", \"T1 p11a8\"); \"-\"\n"
     u"reads references from standard input, one a line. Prints for each, in order, the\n"
     u"reference, the sutra's catalogue number, the family (1 고려대장경, 2 신수대장경) and the\n"
     u"view position of the line's first unit, tab-separated, or the reference and three \"-\"\n"
     u"when there is no such line. Exits with 1 when a reference names no line and with 2 when\n"
     u"one is in no reference form."},
    {u"경전 N(경전 목록의 번호)의 대응경전을 원본 파일의 차례대로 한 줄에 하나씩\n"
     u"관계(full, partial, resembling), id, 이름, 데이터의 경전이면 그 번호를 탭으로\n"
     u"나누어 출력합니다. 대응경전이 없는 경전이면 아무것도 출력하지 않습니다.\n"
     u"데이터에 대응경전 파일이 없으면 1로 끝납니다.",
     u"Prints the parallels of sutra N (its catalogue number), one a line, in the order of the\n"
     u"source: relation (full, partial or resembling), id, label and, for a sutra of the data\n"
     u"set, its catalogue number, tab-separated; nothing for a sutra without parallels. Exits\n"
     u"with 1 when the data set has no parallels file."},
    {u"고려대장경과 신수대장경의 보기 글을 글자마다 맞추어, 다른 곳(맞춘 글자가 다른\n"
     u"가장 긴 구간)마다 한 줄에 고려대장경의 시작, 끝, 글, 신수대장경의 시작, 끝, 글,\n"
     u"바뀐 글자 쌍이 모두 한 이체자 묶음에 들면 \"variant\", 아니면 \"other\"를 탭으로\n"
     u"나누어 출력합니다. 위치는 보기 글에서 0부터 세며 줄바꿈은 한 글자로 칩니다\n"
     u"(search --marks가 주는 대로).",
     u"Aligns the 고려대장경 and 신수대장경 view texts character by character and prints one line\n"
     u"per difference (a maximal run of aligned characters that differ): start, end and text in\n"
     u"고려대장경, start, end and text in 신수대장경, and \"variant\" when every substituted pair lies\n"
     u"in one variant group, else \"other\", tab-separated. Positions count from 0 in the view\n"
     u"texts with each line break one character, as search --marks gives them."},
    {u"TEXT의 서로 다른 한자마다 차례대로 KEY 탭 VALUE 줄들과 빈 줄을 출력합니다:\n"
     u"字 그 글자, 읽기 쉼표로 나눈 음(변환의 음이 먼저), 훈, 뜻, 부수 부수와 나머지\n"
     u"획수, 획수 총 획수, 이체 그 이체자 묶음의 다른 글자, 고려와 신수 각 판본에\n"
     u"나오는 횟수. 데이터에 글자 정보 파일이 없으면\n"
     u"1로 끝납니다.",
     u"For each distinct Han character of TEXT in order, prints lines of KEY TAB VALUE and an\n"
     u"empty line: 字 the character, 읽기 its readings separated by commas (the conversion's\n"
     u"first), 훈 the gloss, 뜻 the meaning, 부수 the radical and extra strokes, 획수 the total\n"
     u"strokes, 이체 the other members of its variant groups, 고려 and 신수 its occurrences in\n"
     u"each edition. Exit status 1 when the data set has no character file."},

    // The tool's own messages.
    {u"명령이 없습니다.", u"no subcommand given."},
    {u"알 수 없는 명령입니다: %1", u"unknown subcommand: %1"},
    {u"알 수 없는 옵션입니다: %1 (-로 시작하는 낱말은 -- 뒤에 두세요)",
     u"unknown option: %1 (put words that start with - after --)"},
    {u"알 수 없는 옵션입니다: %1", u"unknown option: %1"},
    {u"알 수 없는 인자입니다: %1", u"unexpected argument: %1"},
    {u"%1 다음에는 값을 두지 않습니다: %2", u"%1 takes no value: %2"},
    {u"%1 다음에 %2 있어야 합니다.", u"%1 needs a value."},
    {u"알 수 없는 보기입니다: %1", u"unknown view: %1"},
    {u"알 수 없는 검색 대상입니다: %1", u"unknown text to search: %1"},
    {u"알 수 없는 검색 범위입니다: %1", u"unknown collection: %1"},
    {u"--view가 있어야 합니다. %1", u"--view is needed. %1"},
    {u"--from과 --out이 있어야 합니다.", u"--from and --out are needed."},
    {u"--out이 있어야 합니다.", u"--out is needed."},
    {u"경전 번호가 있어야 합니다.", u"a sutra number is needed."},
    {u"경전 번호는 1에서 %1 사이여야 합니다: %2", u"the sutra number must lie from 1 to %1: %2"},
    {u"%1번 경전이 없습니다. 목록의 경전은 %2개입니다.", u"there is no sutra %1; the catalogue holds %2 sutras."},
    {u"--subject는 1부터 세는 주제 목록의 줄 번호여야 합니다: %1",
     u"--subject needs a row of the subject list, counted from 1: %1"},
    {u"%1번째 줄의 주제가 없습니다. 주제는 %2개입니다.", u"there is no subject in row %1; there are %2 subjects."},
    {u"--marks 다음에는 경전 번호가 와야 합니다: %1", u"--marks needs a sutra number: %1"},
    {u"--context는 0에서 %1 사이의 수여야 합니다: %2", u"--context needs a number from 0 to %1: %2"},
    {u"--context와 --marks는 함께 쓸 수 없습니다.", u"--context and --marks cannot be used together."},
    {u"경전 수는 1에서 %1 사이여야 합니다: %2", u"the number of sutras must lie from 1 to %1: %2"},
    {u"--seed는 0 이상의 정수여야 합니다: %1", u"--seed needs a whole number of 0 or more: %1"},
    {u"날짜는 YYYY-MM-DDTHH:MM:SS 꼴이어야 합니다: %1", u"the date must have the form YYYY-MM-DDTHH:MM:SS: %1"},
    {u"표준 입력을 읽을 수 없습니다.", u"cannot read standard input."},
    {u"표준 입력이 UTF-8 텍스트가 아닙니다.", u"standard input is not UTF-8 text."},
    {u"출력을 쓸 수 없습니다: %1", u"cannot write the output: %1"},
    {u"대응경전 자료가 없습니다.", u"the data set has no parallels."},
    {u"처리를 마칠 수 없습니다: %1", u"cannot finish: %1"},

    // The messages of the core: the data files, the search words, the sources of a data set.
    {u"파일이 없습니다: %1", u"file not found: %1"},
    {u"파일 읽기 에러: %1", u"cannot read the file: %1"},
    {u"베스코용 데이터 파일이 아닙니다: %1", u"not a data file of this program: %1"},
    {u"호환되지 않는 데이터 파일입니다: %1", u"incompatible data file: %1"},
    {u"데이터 파일이 손상되었습니다: %1", u"damaged data file: %1"},
    {u"데이터 폴더가 아닙니다: %1", u"not a data folder: %1"},
    {u"데이터 폴더를 읽을 수 없습니다: %1", u"cannot read the data folder: %1"},
    {u"%1: 데이터 파일 하나에 담을 수 있는 크기(%2 바이트)를 넘습니다.",
     u"%1: larger than one data file can hold (%2 bytes)."},
    {u"데이터 파일 하나에 담을 수 있는 크기(%1 바이트)를 넘습니다.", u"larger than one data file can hold (%1 bytes)."},
    {u"단어 길이가 너무 깁니다.", u"a search word is too long."},
    {u"단어 개수가 너무 많습니다.", u"too many search words."},
    {u"검색할 단어가 입력되지 않았습니다.", u"no search words given."},
    {u"%1: 파일이 없습니다.", u"%1: file not found."},
    {u"%1: 파일을 읽을 수 없습니다.", u"%1: cannot read the file."},
    {u"%1: 파일을 쓸 수 없습니다.", u"%1: cannot write the file."},
    {u"%1: 폴더를 만들 수 없습니다.", u"%1: cannot make the folder."},
    {u"%1: 폴더가 없습니다.", u"%1: no such folder."},
    {u"%1: UTF-8이 아닌 바이트가 있습니다.", u"%1: bytes that are not UTF-8."},
    {u"%1: 머리글 줄이 없습니다.", u"%1: the header line is missing."},
    {u"%1: 번호, 분류, 제목, 이름 네 칸이 있어야 합니다.", u"%1: four fields are needed: number, kind, title, name."},
    {u"%1: 경전은 %2개까지입니다.", u"%1: at most %2 sutras."},
    {u"%1: 번호가 %2이어야 합니다.", u"%1: the number must be %2."},
    {u"%1: 분류는 1에서 %2 사이여야 합니다.", u"%1: the kind must lie from 1 to %2."},
    {u"%1: 주제와 경전 번호 두 칸이 있어야 합니다.", u"%1: two fields are needed: subject and sutra numbers."},
    {u"%1: 주제는 %2개까지입니다.", u"%1: at most %2 subjects."},
    {u"%1: 목록에 없는 경전 번호입니다: %2", u"%1: a sutra number not in the catalogue: %2"},
    {u"%1: 주제의 경전이 %2개를 넘습니다.", u"%1: a subject holds more than %2 sutras."},
    {u"%1: 한 글자, 탭, 그 음 한 글자여야 합니다.",
     u"%1: one character, a tab and its one-character reading are needed."},
    {u"%1: 제어 문자는 글자로도 음으로도 쓸 수 없습니다.",
     u"%1: a control character is neither a character nor a reading."},
    {u"%1: 이미 %2행에 나온 글자입니다.", u"%1: the character is already on line %2."},
    {u"%1: 이체자 묶음에 공백이나 제어 문자가 있습니다.", u"%1: a variant group holds a space or a control character."},
    {u"%1: 이체자 묶음이 너무 많습니다: %2 단위를 넘습니다.", u"%1: too many variant groups: more than %2 units."},
    {u"%1: 제목이 %2자(UTF-16 단위)를 넘습니다.", u"%1: the title is longer than %2 UTF-16 units."},
    {u"%1: 이름이 %2자(UTF-16 단위)를 넘습니다.", u"%1: the name is longer than %2 UTF-16 units."},
    {u"%1: 주제 이름이 %2자(UTF-16 단위)를 넘습니다.", u"%1: the subject name is longer than %2 UTF-16 units."},
    {u"%1: 제목에 0 글자가 있습니다.", u"%1: the title holds a character 0."},
    {u"%1: 이름에 0 글자가 있습니다.", u"%1: the name holds a character 0."},
    {u"%1: 주제 이름에 0 글자가 있습니다.", u"%1: the subject name holds a character 0."},
    {u"경전이 %1개로 %2개를 넘습니다.", u"%1 sutras are more than %2."},
    {u"경전 %1: 분류는 1에서 %2 사이여야 합니다.", u"sutra %1: the kind must lie from 1 to %2."},
    {u"경전 %1: 제목과 이름은 %2자를 넘을 수 없습니다.", u"sutra %1: title and name cannot be longer than %2 units."},
    {u"경전 %1: 제목이나 이름에 탭이나 줄바꿈이 있습니다.",
     u"sutra %1: the title or the name holds a tab or a line break."},
    {u"주제가 %1개로 %2개를 넘습니다.", u"%1 subjects are more than %2."},
    {u"주제 이름은 %1자를 넘을 수 없습니다: %2", u"a subject name cannot be longer than %1 units: %2"},
    {u"주제의 경전이 %1개를 넘습니다: %2", u"a subject holds more than %1 sutras: %2"},
    {u"주제의 경전 번호가 목록에 없습니다: %1", u"a sutra number of a subject is not in the catalogue: %1"},
    {u"주제 이름에 탭이나 줄바꿈이 있습니다: %1", u"a subject name holds a tab or a line break: %1"},
    {u"이체자 묶음에 0 글자가 있습니다.", u"a variant group holds a character 0."},
    {u"이체자 묶음이 너무 많습니다.", u"too many variant groups."},
    {u"폴더를 만들 수 없습니다: %1", u"cannot make the folder: %1"},
    {u"파일을 쓸 수 없습니다: %1", u"cannot write the file: %1"},
    {u"파일 이름을 바꿀 수 없습니다: %1", u"cannot rename the file: %1"},
    {u"데이터 폴더를 통째로 바꿀 수 없습니다 (데이터 파일이 아닌 폴더가 있거나 이름을 바꿀 수 없습니다): %1",
     u"cannot replace the data folder as a whole (it holds a folder that is no data file, or it cannot be "
     u"renamed): %1"},
};

// A phrase cut into its literal pieces and its slots: piece i stands before slot i.
struct TPattern
{
    std::vector<std::u16string_view> Pieces;
    std::vector<int> Slots; // the number of each slot, 1 to 9
};

TPattern Cut(std::u16string_view phrase)
{
    TPattern pattern;
    std::size_t start = 0;
    for (std::size_t i = 0; i + 1 < phrase.size(); ++i)
        if (phrase[i] == u'%' && phrase[i + 1] >= u'1' && phrase[i + 1] <= u'9') {
            pattern.Pieces.push_back(phrase.substr(start, i - start));
            pattern.Slots.push_back(phrase[i + 1] - u'0');
            start = i + 2;
            ++i;
        }
    pattern.Pieces.push_back(phrase.substr(start));
    return pattern;
}

using TValues = std::array<std::u16string_view, 10>;

// Whether text from position at on matches the pattern from piece index on, filling values.
bool Match(const TPattern& pattern, std::size_t index, std::u16string_view text, std::size_t at, TValues& values)
{
    const std::u16string_view piece = pattern.Pieces[index];
    if (text.substr(at, piece.size()) != piece) return false;
    at += piece.size();
    if (index == pattern.Slots.size()) return at == text.size();
    // A slot takes at least one character; the shortest value that lets the rest match wins.
    for (std::size_t end = at + 1; end <= text.size(); ++end) {
        values[pattern.Slots[index]] = text.substr(at, end - at);
        if (Match(pattern, index + 1, text, end, values)) return true;
    }
    return false;
}

std::u16string Fill(std::u16string_view phrase, const TValues& values, bool korean)
{
    std::u16string out;
    for (std::size_t i = 0; i < phrase.size(); ++i) {
        if (phrase[i] == u'%' && i + 1 < phrase.size() && phrase[i + 1] >= u'1' && phrase[i + 1] <= u'9') {
            out += LocalizedIn(korean, values[phrase[i + 1] - u'0']);
            ++i;
        } else {
            out.push_back(phrase[i]);
        }
    }
    return out;
}

bool LocaleIsKorean()
{
#ifdef _WIN32
    return QLocale::system().language() == QLocale::Korean;
#else
    for (const char* name : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(name);
        if (value != nullptr && *value != '\0') return std::string_view(value).starts_with("ko");
    }
    return false;
#endif
}

} // namespace

bool ToolSpeaksKorean()
{
    static const bool korean = LocaleIsKorean();
    return korean;
}

std::u16string LocalizedIn(bool korean, std::u16string_view text)
{
    for (const TPhrase& phrase : Phrases) {
        // A text already in the wanted language is left alone, also when it matches.
        const std::u16string_view from = korean ? phrase.English : phrase.Korean;
        const std::u16string_view to = korean ? phrase.Korean : phrase.English;
        const TPattern pattern = Cut(from);
        TValues values;
        if (Match(pattern, 0, text, 0, values)) return Fill(to, values, korean);
    }
    return std::u16string(text);
}

std::u16string Localized(std::u16string_view text)
{
    return LocalizedIn(ToolSpeaksKorean(), text);
}

std::string Localized(std::string_view utf8)
{
    return Utf16ToUtf8(Localized(std::u16string_view(Utf8ToUtf16(utf8))));
}

std::string Localized(const char* utf8)
{
    return Localized(std::string_view(utf8));
}
