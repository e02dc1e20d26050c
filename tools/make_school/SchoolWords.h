#pragma once

// The words the sample school is made of: a deterministic random source,
// invented Polish first names and surnames, the sentences teachers write in
// their reports, Polish alphabetical order and ASCII file-name slugs. All text
// is UTF-8.

#include <cstdint>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

namespace notarion::sample {

// A small random source whose sequence depends on the seed alone, on every
// platform and library (the standard distributions do not promise that).
class Random {
public:
    // A source seeded with the given value.
    explicit Random(std::uint64_t seed);

    // The next raw 64-bit value.
    std::uint64_t Next();

    // A whole number from 0 to count - 1; 0 when count is 0 or less.
    int Below(int count);

    // A whole number from low to high inclusive; low when high < low.
    int Between(int low, int high);

    // One element of a non-empty list, chosen evenly.
    template <typename T> const T& Pick(const std::vector<T>& items) {
        return items[static_cast<std::size_t>(Below(static_cast<int>(items.size())))];
    }

    // The list in a random order (Fisher-Yates).
    template <typename T> void Shuffle(std::vector<T>& items) {
        for (std::size_t i = items.size(); i > 1; --i)
            std::swap(items[i - 1], items[static_cast<std::size_t>(Below(static_cast<int>(i)))]);
    }

private:
    std::uint64_t m_state;
};

struct Person {
    std::string First;
    std::string Last;

    // "First Last".
    std::string FullName() const { return First + " " + Last; }
};

// Makes people whose full names are never repeated within one generator.
class PeopleFactory {
public:
    // A factory drawing on the given random source, which must outlive it.
    explicit PeopleFactory(Random& random) : m_random(random) {}

    // A new person with a name not given before by this factory; after many
    // thousands of names a roman numeral is added to keep them apart.
    Person Make();

private:
    Random& m_random;
    std::unordered_set<std::string> m_given;
};

// A list of people in Polish alphabetical order: surname, then first name.
void SortPolish(std::vector<Person>& people);

// Compare two texts in Polish alphabetical order (ą after a, ł after l, ...);
// negative, zero or positive like strcmp.
int ComparePolish(std::string_view a, std::string_view b);

// Lower-case ASCII for a file name: Polish letters lose their marks, blanks
// and punctuation become single underscores, hyphens stay.
std::string Slug(std::string_view text);

// The sentence pools of the reports. Each function returns its fixed list;
// "{p}" in a sentence stands for a subject, "{k}" for a class name.
const std::vector<std::string>& SubjectGeneralLines();
const std::vector<std::string>& SubjectSuccessLines();
const std::vector<std::string>& SubjectConclusionLines();
const std::vector<std::string>& TutorGeneralLines();
const std::vector<std::string>& TutorSuccessLines();
const std::vector<std::string>& TutorConclusionLines();
const std::vector<std::string>& ActivityGeneralLines();
const std::vector<std::string>& ActivitySuccessLines();
const std::vector<std::string>& ActivityConclusionLines();
const std::vector<std::string>& CardHoursLines();
const std::vector<std::string>& OtherInfoLines();
const std::vector<std::string>& LoweredBehaviourLines();
const std::vector<std::string>& RemarkLines();
const std::vector<std::string>& FailLinesOneStudent();
const std::vector<std::string>& FailLinesTwoStudents();
const std::vector<std::string>& SupervisionLines();

// A subject as it is named in reports, and whether students fail it often
// enough to appear among failing grades.
struct Subject {
    std::string Name;
    bool OftenFailed = false;
};
const std::vector<Subject>& Subjects();

// An extra activity: its name and the short file-name form.
struct Activity {
    std::string Name;
    std::string FileStem;
};
const std::vector<Activity>& Activities();

// A topic of other information ("Dotyczy") and the short file-name form.
struct InfoTopic {
    std::string Concerns;
    std::string FileStem;
};
const std::vector<InfoTopic>& InfoTopics();

// The behaviour grades below "good" that a justification is written for.
const std::vector<std::string>& LoweredGrades();

// Replace every "{p}" by the subject and every "{k}" by the class name.
std::string FillIn(std::string_view pattern, std::string_view subject, std::string_view className);

} // namespace notarion::sample
