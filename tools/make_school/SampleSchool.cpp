#include "make_school/SampleSchool.h"

#include "make_school/ReportTree.h"
#include "make_school/SchoolWords.h"
#include "reports/ReportCatalogue.h"
#include "reports/ReportFormFile.h"
#include "reports/ReportReader.h"
#include "system/AtomicFile.h"
#include "system/FileSystem.h"
#include "text/Cp1250.h"
#include "text/Failure.h"

#include <algorithm>
#include <set>

namespace notarion {
using namespace sample;
namespace {

// One report before it becomes bytes, composed as the report editor holds it.
struct Draft {
    std::string Name;
    ReportForm Form;
    FileEncoding Encoding = FileEncoding::Windows1250;
    std::string Comment;
};

struct FailingStudent {
    int Student = 0;
    std::vector<int> Subjects;
};

struct LoweredJustification {
    std::vector<int> Students;
    std::string Grade;
    std::vector<std::string> Lines;
};

struct SchoolClass {
    std::string Name;
    Person Tutor;
    // The class register in Polish alphabetical order; the lists below hold
    // indexes into it, in register order.
    std::vector<Person> Roster;
    std::vector<int> Attendance;
    std::vector<int> Distinguished;
    std::vector<int> Averages;
    std::vector<FailingStudent> Failing;
    std::vector<int> Exemplary;
    std::vector<LoweredJustification> Lowered;
    std::vector<std::string> Remarks;
};

struct Teacher {
    Person Who;
    int Subject = 0;
    std::vector<int> Classes;
};

int CeilDiv(int a, int b) {
    return (a + b - 1) / b;
}

ReportNode TreeOf(const XmlNode& node) {
    ReportNode made{Utf16ToUtf8(node.Name()), Utf16ToUtf8(node.Value()), {}};
    for (const XmlNode* child : node.Children())
        made.Children.push_back(TreeOf(*child));
    return made;
}

// The maker's tree of a report composed as a form: the elements as the form
// writer lays them out, counts included, so the sample school and the report
// editor write one format. A damaged sample is this tree, then damaged.
ReportNode TreeOf(const ReportForm& form) {
    const std::unique_ptr<XmlDocument> document = FormDocument(form);
    for (const XmlNode* child : document->Root.Children())
        if (child->Kind() == XmlNodeKind::Element)
            return TreeOf(*child);
    return {};
}

Draft Drafted(std::string name, ReportForm form, FileEncoding encoding = FileEncoding::Windows1250,
              std::string comment = {}) {
    return Draft{std::move(name), std::move(form), encoding, std::move(comment)};
}

std::string& TextOf(ReportForm& form, std::string_view element) {
    return FindPart(form, element)->Text;
}
std::vector<std::string>& LinesOf(ReportForm& form, std::string_view element) {
    return FindPart(form, element)->Lines;
}
std::vector<StudentRow>& RowsOf(ReportForm& form, std::string_view element) {
    return FindPart(form, element)->Rows;
}

std::string JoinNames(const std::vector<Person>& roster, const std::vector<int>& who) {
    std::string out;
    for (const int i : who) {
        if (!out.empty())
            out += ", ";
        out += roster[static_cast<std::size_t>(i)].FullName();
    }
    return out;
}

// Classes 1a, 1b, ... with four year groups while a group needs no more than
// the 26 letters; a larger school gets more year groups.
std::vector<std::string> ClassNames(int count) {
    const int perYear = std::min(26, CeilDiv(count, 4));
    std::vector<std::string> names;
    for (int c = 0; c < count; ++c)
        names.push_back(std::to_string(c / perYear + 1) + static_cast<char>('a' + c % perYear));
    return names;
}

class SchoolComposer {
public:
    explicit SchoolComposer(const SampleSchoolOptions& options)
        : m_classCount(options.Classes), m_random(options.Seed), m_staffNames(m_random) {}

    std::vector<Draft> Compose();

private:
    void MakeStaff();
    SchoolClass MakeClass(int index, const std::string& name);
    std::vector<std::string> PickLines(const std::vector<std::string>& pool, int count,
                                       std::string_view subject = {},
                                       std::string_view className = {});
    const Person& AnyTeacher() { return m_random.Pick(m_teachers).Who; }

    Draft ClassReport(const SchoolClass& schoolClass) const;
    Draft BehaviourReport(const SchoolClass& schoolClass) const;
    Draft TutorReport(const SchoolClass& schoolClass, int index);
    void FailJustificationReports(const SchoolClass& schoolClass, int index,
                                  std::vector<Draft>& drafts);
    void SubjectReports(std::vector<Draft>& drafts);
    void ActivityReports(std::vector<Draft>& drafts);
    void CardHoursReports(std::vector<Draft>& drafts);
    void OtherInfoReports(std::vector<Draft>& drafts);
    Draft HeadTeacherReport(const std::vector<SchoolClass>& classes);

    // The stem, or the stem with "_2", "_3", ... when a file of that name
    // was made already (two teachers of one subject may share a surname).
    std::string UniqueStem(const std::string& stem);

    int m_classCount;
    Random m_random;
    PeopleFactory m_staffNames;
    std::vector<Teacher> m_teachers;
    std::vector<Person> m_staff;
    std::vector<std::string> m_classNames;
    std::set<std::string> m_fileNames;
};

std::string SchoolComposer::UniqueStem(const std::string& stem) {
    std::string name = stem;
    for (int n = 2; !m_fileNames.insert(name).second; ++n)
        name = stem + "_" + std::to_string(n);
    return name;
}

std::vector<std::string> SchoolComposer::PickLines(const std::vector<std::string>& pool, int count,
                                                   std::string_view subject,
                                                   std::string_view className) {
    std::vector<int> order(pool.size());
    for (std::size_t i = 0; i < order.size(); ++i)
        order[i] = static_cast<int>(i);
    m_random.Shuffle(order);
    order.resize(std::min(order.size(), static_cast<std::size_t>(std::max(count, 0))));
    // Sentences keep the order they have in the pool, which reads naturally.
    std::sort(order.begin(), order.end());
    std::vector<std::string> lines;
    for (const int i : order)
        lines.push_back(FillIn(pool[static_cast<std::size_t>(i)], subject, className));
    return lines;
}

void SchoolComposer::MakeStaff() {
    // Roughly one teacher of each subject for every sixteen classes, each
    // teaching a run of neighbouring classes.
    const int perSubject = CeilDiv(m_classCount, 16);
    for (std::size_t s = 0; s < Subjects().size(); ++s) {
        for (int t = 0; t < perSubject; ++t) {
            Teacher teacher{m_staffNames.Make(), static_cast<int>(s), {}};
            for (int c = 0; c < m_classCount; ++c) {
                if (c * perSubject / m_classCount == t)
                    teacher.Classes.push_back(c);
            }
            m_teachers.push_back(teacher);
            m_staff.push_back(teacher.Who);
        }
    }
    const int others = std::max(0, m_classCount - static_cast<int>(m_staff.size())) + 2;
    for (int i = 0; i < others; ++i)
        m_staff.push_back(m_staffNames.Make());
}

SchoolClass SchoolComposer::MakeClass(int index, const std::string& name) {
    SchoolClass result;
    result.Name = name;
    PeopleFactory pupils(m_random);
    const int size = m_random.Between(22, 31);
    for (int i = 0; i < size; ++i)
        result.Roster.push_back(pupils.Make());
    SortPolish(result.Roster);

    std::vector<int> order(static_cast<std::size_t>(size));
    for (int i = 0; i < size; ++i)
        order[static_cast<std::size_t>(i)] = i;
    m_random.Shuffle(order);
    std::size_t next = 0;
    const auto take = [&](int count) {
        std::vector<int> taken(order.begin() + static_cast<std::ptrdiff_t>(next),
                               order.begin() + static_cast<std::ptrdiff_t>(next + count));
        next += static_cast<std::size_t>(count);
        return taken;
    };

    // The patterns by class number make sure that every kind of list has
    // classes without students and classes with several, whatever the seed.
    std::vector<int> often;
    for (std::size_t s = 0; s < Subjects().size(); ++s) {
        if (Subjects()[s].OftenFailed)
            often.push_back(static_cast<int>(s));
    }
    if (index % 4 == 0) {
        const int count = index == 0 ? m_random.Between(2, 3) : m_random.Between(1, 3);
        const std::vector<int> failing = take(count);
        // The first two share a subject, so one justification names them both.
        const int shared = m_random.Pick(often);
        for (std::size_t k = 0; k < failing.size(); ++k) {
            FailingStudent student{failing[k], {}};
            if (k < 2)
                student.Subjects.push_back(shared);
            if (k == 2 || m_random.Below(3) == 0) {
                const int other = m_random.Pick(often);
                if (std::find(student.Subjects.begin(), student.Subjects.end(), other) ==
                    student.Subjects.end())
                    student.Subjects.push_back(other);
            }
            result.Failing.push_back(student);
        }
        std::sort(
            result.Failing.begin(), result.Failing.end(),
            [](const FailingStudent& x, const FailingStudent& y) { return x.Student < y.Student; });
    }
    if (index % 3 != 2) {
        const int count = m_random.Between(1, 2);
        for (int j = 0; j < count; ++j) {
            LoweredJustification justification;
            const bool two = (index + j) % 4 == 0;
            justification.Students = take(two ? 2 : 1);
            std::sort(justification.Students.begin(), justification.Students.end());
            justification.Grade = two ? "nieodpowiednie" : m_random.Pick(LoweredGrades());
            const int lines = (index + j) % 5 == 1 ? 0 : m_random.Between(1, 3);
            justification.Lines = PickLines(LoweredBehaviourLines(), lines);
            result.Lowered.push_back(justification);
        }
    }

    // The well-behaved rest: distinguished students are often exemplary too,
    // and full attendance is drawn from the end of the same group.
    const std::vector<int> good(order.begin() + static_cast<std::ptrdiff_t>(next), order.end());
    const int distinguished = index % 5 == 3 ? 0 : m_random.Between(1, 6);
    const int exemplary = index % 4 == 2 ? 0 : m_random.Between(1, 5);
    const int attendance = index % 3 == 1 ? 0 : m_random.Between(1, 4);
    result.Distinguished.assign(good.begin(), good.begin() + distinguished);
    result.Exemplary.assign(good.begin() + distinguished / 2,
                            good.begin() + distinguished / 2 + exemplary);
    result.Attendance.assign(good.end() - attendance, good.end());
    std::sort(result.Distinguished.begin(), result.Distinguished.end());
    std::sort(result.Exemplary.begin(), result.Exemplary.end());
    std::sort(result.Attendance.begin(), result.Attendance.end());
    for (int i = 0; i < distinguished; ++i)
        result.Averages.push_back(m_random.Between(475, 585));
    // One average of exactly five, and once in the school an average the
    // tutor left at zero: the program then prints the bare name.
    if (index == 1 && !result.Averages.empty())
        result.Averages.front() = 500;
    if (index == std::min(6, m_classCount - 1) && !result.Averages.empty())
        result.Averages.back() = 0;

    if (index % 2 == 0)
        result.Remarks = PickLines(RemarkLines(), m_random.Between(1, 3));
    return result;
}

Draft SchoolComposer::ClassReport(const SchoolClass& schoolClass) const {
    ReportForm form = EmptyForm(ReportKind::Class);
    const auto nameOf = [&](int i) {
        return schoolClass.Roster[static_cast<std::size_t>(i)].FullName();
    };
    const auto size = static_cast<int>(schoolClass.Roster.size());
    TextOf(form, "Klasa") = schoolClass.Name;
    TextOf(form, "Belfer") = schoolClass.Tutor.FullName();
    TextOf(form, "Klasyfikowanych") = std::to_string(size);
    TextOf(form, "Promowanych") =
        std::to_string(size - static_cast<int>(schoolClass.Failing.size()));
    for (const int student : schoolClass.Attendance)
        RowsOf(form, "Frekwencja").push_back({nameOf(student), {}, {}, {}});
    for (std::size_t i = 0; i < schoolClass.Distinguished.size(); ++i) {
        RowsOf(form, "Pasek")
            .push_back({nameOf(schoolClass.Distinguished[i]),
                        AverageText(schoolClass.Averages[i]),
                        {},
                        {}});
    }
    for (const FailingStudent& failing : schoolClass.Failing) {
        std::string subjects;
        for (const int s : failing.Subjects) {
            if (!subjects.empty())
                subjects += ", ";
            subjects += Subjects()[static_cast<std::size_t>(s)].Name;
        }
        RowsOf(form, "Ndst").push_back({nameOf(failing.Student), {}, subjects, {}});
    }
    return Drafted(schoolClass.Name + "_klasyfikacja", std::move(form));
}

Draft SchoolComposer::BehaviourReport(const SchoolClass& schoolClass) const {
    ReportForm form = EmptyForm(ReportKind::Behaviour);
    TextOf(form, "Klasa") = schoolClass.Name;
    TextOf(form, "Belfer") = schoolClass.Tutor.FullName();
    TextOf(form, "Klasyfikowanych") = std::to_string(schoolClass.Roster.size());
    for (const int student : schoolClass.Exemplary) {
        RowsOf(form, "Wzorowi")
            .push_back(
                {schoolClass.Roster[static_cast<std::size_t>(student)].FullName(), {}, {}, {}});
    }
    for (const LoweredJustification& source : schoolClass.Lowered) {
        RowsOf(form, "Obnizone")
            .push_back(
                {JoinNames(schoolClass.Roster, source.Students), {}, source.Grade, source.Lines});
    }
    LinesOf(form, "Uwagi") = schoolClass.Remarks;
    return Drafted(schoolClass.Name + "_zachowanie", std::move(form));
}

Draft SchoolComposer::TutorReport(const SchoolClass& schoolClass, int index) {
    ReportForm form = EmptyForm(ReportKind::Tutor);
    const std::string& name = schoolClass.Name;
    TextOf(form, "Klasa") = name;
    TextOf(form, "Belfer") = schoolClass.Tutor.FullName();
    LinesOf(form, "Ogolne") = PickLines(TutorGeneralLines(), m_random.Between(2, 4), {}, name);
    LinesOf(form, "Sukcesy") =
        PickLines(TutorSuccessLines(), index % 4 == 3 ? 0 : m_random.Between(1, 3), {}, name);
    LinesOf(form, "Wnioski") =
        PickLines(TutorConclusionLines(), index % 3 == 1 ? 0 : m_random.Between(1, 2), {}, name);
    return Drafted(schoolClass.Name + "_wychowawca", std::move(form));
}

void SchoolComposer::FailJustificationReports(const SchoolClass& schoolClass, int index,
                                              std::vector<Draft>& drafts) {
    // One report for every subject failed in the class, by the teacher who
    // teaches that subject there.
    std::vector<int> subjects;
    for (const FailingStudent& student : schoolClass.Failing) {
        for (const int s : student.Subjects) {
            if (std::find(subjects.begin(), subjects.end(), s) == subjects.end())
                subjects.push_back(s);
        }
    }
    std::sort(subjects.begin(), subjects.end());
    for (const int s : subjects) {
        const Subject& subject = Subjects()[static_cast<std::size_t>(s)];
        const Teacher* teacher = nullptr;
        for (const Teacher& candidate : m_teachers) {
            if (candidate.Subject == s &&
                std::find(candidate.Classes.begin(), candidate.Classes.end(), index) !=
                    candidate.Classes.end())
                teacher = &candidate;
        }
        std::vector<int> students;
        for (const FailingStudent& student : schoolClass.Failing) {
            if (std::find(student.Subjects.begin(), student.Subjects.end(), s) !=
                student.Subjects.end())
                students.push_back(student.Student);
        }
        std::sort(students.begin(), students.end());

        // Two students who failed for the same reasons share one
        // justification; the others get one each.
        std::vector<std::vector<int>> groups;
        std::size_t first = 0;
        if (students.size() >= 2) {
            groups.push_back({students[0], students[1]});
            first = 2;
        }
        for (std::size_t k = first; k < students.size(); ++k)
            groups.push_back({students[k]});

        const std::string stem = UniqueStem(schoolClass.Name + "_ndst_" + Slug(subject.Name));
        ReportForm form = EmptyForm(ReportKind::FailJustification);
        TextOf(form, "Przedmiot") = subject.Name;
        TextOf(form, "Klasa") = schoolClass.Name;
        TextOf(form, "Belfer") =
            teacher != nullptr ? teacher->Who.FullName() : AnyTeacher().FullName();
        for (const std::vector<int>& group : groups) {
            const bool two = group.size() > 1;
            std::vector<std::string> lines =
                PickLines(two ? FailLinesTwoStudents() : FailLinesOneStudent(),
                          m_random.Between(1, 3), subject.Name, schoolClass.Name);
            RowsOf(form, "Uzasadnienia")
                .push_back({JoinNames(schoolClass.Roster, group), {}, {}, std::move(lines)});
        }
        drafts.push_back(Drafted(stem, std::move(form)));
    }
}

void SchoolComposer::SubjectReports(std::vector<Draft>& drafts) {
    for (std::size_t k = 0; k < m_teachers.size(); ++k) {
        const Teacher& teacher = m_teachers[k];
        const Subject& subject = Subjects()[static_cast<std::size_t>(teacher.Subject)];
        std::string classes;
        for (const int c : teacher.Classes) {
            if (!classes.empty())
                classes += ", ";
            classes += m_classNames[static_cast<std::size_t>(c)];
        }
        const std::string& someClass =
            m_classNames[static_cast<std::size_t>(m_random.Pick(teacher.Classes))];
        const std::string name =
            UniqueStem("przedmiot_" + Slug(subject.Name) + "_" + Slug(teacher.Who.Last));
        ReportForm form = EmptyForm(ReportKind::Subject);
        TextOf(form, "Przedmiot") = subject.Name;
        TextOf(form, "Belfer") = teacher.Who.FullName();
        TextOf(form, "Klasy") = classes;
        LinesOf(form, "Ogolne") =
            PickLines(SubjectGeneralLines(), m_random.Between(1, 4), subject.Name, someClass);
        LinesOf(form, "Sukcesy") =
            PickLines(SubjectSuccessLines(), k % 4 == 1 ? 0 : m_random.Between(1, 3), subject.Name,
                      someClass);
        LinesOf(form, "Wnioski") =
            PickLines(SubjectConclusionLines(), k % 3 == 2 ? 0 : m_random.Between(1, 3),
                      subject.Name, someClass);
        drafts.push_back(Drafted(name, std::move(form)));
    }
}

void SchoolComposer::ActivityReports(std::vector<Draft>& drafts) {
    const int count = std::max(2, CeilDiv(m_classCount, 4));
    const auto& activities = Activities();
    for (int k = 0; k < count; ++k) {
        const Activity& activity = activities[static_cast<std::size_t>(k) % activities.size()];
        const int group = k / static_cast<int>(activities.size()) + 1;
        std::string title = activity.Name;
        std::string stem = "zajecia_" + activity.FileStem;
        if (group > 1) {
            title += " – grupa " + std::to_string(group);
            stem += "_grupa" + std::to_string(group);
        }
        const std::string name = UniqueStem(stem);
        ReportForm form = EmptyForm(ReportKind::Activity);
        TextOf(form, "Zajecia") = title;
        TextOf(form, "Belfer") = m_random.Pick(m_staff).FullName();
        LinesOf(form, "Ogolne") = PickLines(ActivityGeneralLines(), m_random.Between(1, 3));
        LinesOf(form, "Sukcesy") =
            PickLines(ActivitySuccessLines(), k % 3 == 1 ? 0 : m_random.Between(1, 2));
        LinesOf(form, "Wnioski") =
            PickLines(ActivityConclusionLines(), k % 4 == 2 ? 0 : m_random.Between(1, 2));
        drafts.push_back(Drafted(name, std::move(form)));
    }
}

void SchoolComposer::CardHoursReports(std::vector<Draft>& drafts) {
    const int count = std::max(2, CeilDiv(m_classCount, 6));
    std::vector<Person> staff = m_staff;
    m_random.Shuffle(staff);
    for (int k = 0; k < count; ++k) {
        const Person& who = staff[static_cast<std::size_t>(k) % staff.size()];
        const std::string name = UniqueStem("karta_" + Slug(who.Last));
        ReportForm form = EmptyForm(ReportKind::CardHours);
        TextOf(form, "Belfer") = who.FullName();
        LinesOf(form, "Info") = PickLines(CardHoursLines(), m_random.Between(1, 3));
        drafts.push_back(Drafted(name, std::move(form)));
    }
}

void SchoolComposer::OtherInfoReports(std::vector<Draft>& drafts) {
    const int count = std::max(3, m_classCount / 5);
    const auto& topics = InfoTopics();
    for (int k = 0; k < count; ++k) {
        const InfoTopic& topic = topics[static_cast<std::size_t>(k) % topics.size()];
        const int part = k / static_cast<int>(topics.size()) + 1;
        std::string concerns = topic.Concerns;
        std::string stem = "inne_" + topic.FileStem;
        if (part > 1) {
            concerns += " – część " + std::to_string(part);
            stem += "_czesc" + std::to_string(part);
        }
        const std::string name = UniqueStem(stem);
        ReportForm form = EmptyForm(ReportKind::OtherInfo);
        TextOf(form, "Dotyczy") = concerns;
        TextOf(form, "Belfer") = AnyTeacher().FullName();
        LinesOf(form, "Info") = PickLines(OtherInfoLines(), m_random.Between(2, 4));
        // One information report comes from a program that writes UTF-16.
        drafts.push_back(Drafted(name, std::move(form),
                                 k == 0 ? FileEncoding::Utf16 : FileEncoding::Windows1250));
    }
}

Draft SchoolComposer::HeadTeacherReport(const std::vector<SchoolClass>& classes) {
    int students = 0;
    int promoted = 0;
    int distinguished = 0;
    int attendance = 0;
    int failing = 0;
    int exemplary = 0;
    int lowered = 0;
    for (const SchoolClass& c : classes) {
        students += static_cast<int>(c.Roster.size());
        promoted += static_cast<int>(c.Roster.size() - c.Failing.size());
        distinguished += static_cast<int>(c.Distinguished.size());
        attendance += static_cast<int>(c.Attendance.size());
        failing += static_cast<int>(c.Failing.size());
        exemplary += static_cast<int>(c.Exemplary.size());
        for (const LoweredJustification& j : c.Lowered)
            lowered += static_cast<int>(j.Students.size());
    }
    const auto n = [](int value) { return std::to_string(value); };
    const std::vector<std::string> didactic{
        "Liczba oddziałów: " + n(m_classCount) + "; klasyfikowano " + n(students) +
            " uczniów, promocję otrzymało " + n(promoted) + ".",
        "Świadectwa z wyróżnieniem otrzyma " + n(distinguished) +
            " uczniów, stuprocentową frekwencję miało " + n(attendance) + ".",
        "Oceny niedostateczne uzyskało " + n(failing) +
            " uczniów; egzaminy poprawkowe zaplanowano na ostatni tydzień sierpnia.",
        "Zachowanie wzorowe ma " + n(exemplary) + " uczniów, obniżoną ocenę zachowania otrzymało " +
            n(lowered) + ".",
        "W sferze opiekuńczej szkoła zapewniła dożywianie 42 uczniom i pomoc stypendialną 17 "
        "uczniom.",
    };
    ReportForm form = EmptyForm(ReportKind::HeadTeacher);
    TextOf(form, "Belfer") = m_staffNames.Make().FullName();
    LinesOf(form, "Dydaktyczna") = didactic;
    LinesOf(form, "Nadzor") = PickLines(SupervisionLines(), m_random.Between(2, 4));
    return Drafted("sprawozdanie_dyrektora", std::move(form), FileEncoding::Utf16,
                   "Sprawozdanie na klasyfikacyjne posiedzenie rady pedagogicznej");
}

std::vector<Draft> SchoolComposer::Compose() {
    m_classNames = ClassNames(m_classCount);
    MakeStaff();
    std::vector<Person> tutors = m_staff;
    m_random.Shuffle(tutors);

    std::vector<SchoolClass> classes;
    std::vector<Draft> drafts;
    for (int c = 0; c < m_classCount; ++c) {
        SchoolClass schoolClass = MakeClass(c, m_classNames[static_cast<std::size_t>(c)]);
        schoolClass.Tutor = tutors[static_cast<std::size_t>(c)];
        drafts.push_back(ClassReport(schoolClass));
        drafts.push_back(BehaviourReport(schoolClass));
        // One behaviour report comes from a program that writes UTF-16.
        if (c == std::min(5, m_classCount - 1))
            drafts.back().Encoding = FileEncoding::Utf16;
        drafts.push_back(TutorReport(schoolClass, c));
        FailJustificationReports(schoolClass, c, drafts);
        classes.push_back(std::move(schoolClass));
    }
    SubjectReports(drafts);
    ActivityReports(drafts);
    CardHoursReports(drafts);
    OtherInfoReports(drafts);
    drafts.push_back(HeadTeacherReport(classes));
    return drafts;
}

// The key the program sorts a folder listing by: the name in capitals, so
// "_" sorts after the letters ("1a_..." after "1aa_...").
std::string FolderOrderKey(std::string text) {
    for (char& c : text) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return text;
}

SampleFile FileOf(const std::string& name, const ReportNode& root, FileEncoding encoding,
                  std::string_view comment) {
    const ReportNode* doc = root.Find("Doc");
    std::string bytes = ReportBytes(root, encoding, comment);
    // The title as the program composes it from the file.
    XmlDocument document;
    document.LoadFromBytes(bytes);
    std::string title = ComposeTitle(ReadReportText(document, "Doc"), document);
    return SampleFile{name + ".xml", std::move(bytes),
                      doc != nullptr ? Utf8ToCp1250(doc->Text) : std::string(), std::move(title)};
}

SampleFile ToFile(const Draft& draft) {
    return FileOf(draft.Name, TreeOf(draft.Form), draft.Encoding, draft.Comment);
}

void SortByName(std::vector<SampleFile>& files) {
    std::stable_sort(files.begin(), files.end(), [](const SampleFile& a, const SampleFile& b) {
        return FolderOrderKey(a.Name) < FolderOrderKey(b.Name);
    });
}

// The list of the set as the program would save it after loading the folder:
// reports in the order of the folder, then ordered by kind, stably; reports
// of no known kind are left out.
std::string ListOf(const std::vector<SampleFile>& reports) {
    std::vector<const SampleFile*> ordered;
    for (const SampleFile& file : reports) {
        if (!file.Title.empty())
            ordered.push_back(&file);
    }
    std::stable_sort(ordered.begin(), ordered.end(), [](const SampleFile* a, const SampleFile* b) {
        return KindOrder(a->Kind) < KindOrder(b->Kind);
    });
    std::vector<ListPosition> positions;
    for (const SampleFile* file : ordered)
        positions.push_back({file->Title, file->Name, file->Kind});
    return ListFileBytes(positions);
}

Draft& DraftNamed(std::vector<Draft>& drafts, std::string_view name) {
    for (Draft& draft : drafts) {
        if (draft.Name == name)
            return draft;
    }
    throw Failure("the sample school has no report " + std::string(name));
}

ReportNode& ChildOf(ReportNode& node, std::string_view name) {
    for (ReportNode& child : node.Children) {
        if (child.Name == name)
            return child;
    }
    throw Failure("the sample report has no element " + std::string(name));
}

void MakeFolders(const std::string& folder) {
    if (folder.empty() || DirectoryExists(folder))
        return;
    const std::string parent = FolderOf(folder);
    if (!parent.empty() && parent != folder)
        MakeFolders(parent);
    if (!CreateSingleDirectory(folder) && !DirectoryExists(folder))
        throw Failure("cannot create the folder " + Cp1250ToUtf8(folder));
}

} // namespace

SampleSet MakeSampleSchool(const SampleSchoolOptions& options) {
    if (options.Classes < 1 || options.Classes > MaxSampleClasses)
        throw Failure("the number of classes must be 1 to " + std::to_string(MaxSampleClasses));
    SchoolComposer composer(options);
    SampleSet set;
    for (const Draft& draft : composer.Compose())
        set.Files.push_back(ToFile(draft));
    SortByName(set.Files);
    if (!options.ListName.empty()) {
        set.Files.push_back(SampleFile{options.ListName, ListOf(set.Files), {}, {}});
        SortByName(set.Files);
    }
    return set;
}

SampleSet MakeDamagedSamples(std::uint64_t seed) {
    SampleSchoolOptions options;
    options.Classes = 4;
    options.Seed = seed;
    SchoolComposer composer(options);
    std::vector<Draft> drafts = composer.Compose();
    SampleSet set;

    // A tutor who wrote the attendance count as a word: generation must fail
    // with a clear message instead of treating it as zero.
    const Draft& wordCount = DraftNamed(drafts, "1a_klasyfikacja");
    ReportNode wordTree = TreeOf(wordCount.Form);
    ReportNode& count = ChildOf(ChildOf(wordTree, "Frekwencja"), "IleOsob");
    static const char* const words[] = {"zero", "jedna", "dwie", "trzy", "cztery"};
    count.Text = words[std::min<std::size_t>(std::stoul(count.Text), 4)];
    set.Files.push_back(
        FileOf("1a_klasyfikacja_liczba_slowami", wordTree, wordCount.Encoding, wordCount.Comment));

    // A file cut off in the middle of a tag, as after a failed copy.
    Draft cut = DraftNamed(drafts, "1a_zachowanie");
    cut.Encoding = FileEncoding::Windows1250;
    SampleFile cutFile = ToFile(cut);
    const std::size_t middle = cutFile.Bytes.find('<', cutFile.Bytes.size() / 2);
    cutFile.Bytes.resize(middle == std::string::npos ? cutFile.Bytes.size() / 2 : middle + 4);
    cutFile.Name = "1a_zachowanie_przerwany.xml";
    set.Files.push_back(cutFile);

    // A kind written in small letters is no kind: the report is never listed.
    const Draft& smallLetters = DraftNamed(drafts, "2a_klasyfikacja");
    ReportNode smallTree = TreeOf(smallLetters.Form);
    ChildOf(smallTree, "Doc").Text = "klasyfikacja klasy";
    set.Files.push_back(FileOf("2a_klasyfikacja_male_litery", smallTree, smallLetters.Encoding,
                               smallLetters.Comment));

    // A distinguished student without an average: the count cannot be read.
    const Draft& noAverage = DraftNamed(drafts, "3a_klasyfikacja");
    ReportNode noAverageTree = TreeOf(noAverage.Form);
    ChildOf(ChildOf(noAverageTree, "Pasek"), "Uczen1").Children.clear();
    set.Files.push_back(FileOf("3a_klasyfikacja_bez_sredniej", noAverageTree, noAverage.Encoding,
                               noAverage.Comment));

    std::vector<SampleFile> good;
    for (const std::string_view name : {"4a_klasyfikacja", "4a_zachowanie", "4a_wychowawca"}) {
        Draft draft = DraftNamed(drafts, name);
        draft.Encoding = FileEncoding::Windows1250;
        good.push_back(ToFile(draft));
    }
    set.Files.insert(set.Files.end(), good.begin(), good.end());

    // A list file whose count is a word is refused as a whole.
    std::string list = ListOf(good);
    const std::string countTag = "<IlePozycji>" + std::to_string(good.size()) + "</IlePozycji>";
    list.replace(list.find(countTag), countTag.size(), "<IlePozycji>trzy</IlePozycji>");
    set.Files.push_back(SampleFile{"lista_uszkodzona.xmp", list, {}, {}});

    SortByName(set.Files);
    return set;
}

namespace {

// The first draft of a kind whose student block holds at least one row.
Draft& FirstWithStudents(std::vector<Draft>& drafts, ReportKind kind, std::string_view group) {
    for (Draft& draft : drafts) {
        if (draft.Form.Kind == kind && !RowsOf(draft.Form, group).empty())
            return draft;
    }
    throw Failure("the sample school has no report with " + std::string(group));
}

} // namespace

SampleSet MakeSchoolWithGaps(std::uint64_t seed) {
    SampleSchoolOptions options;
    options.Classes = 4;
    options.Seed = seed;
    SchoolComposer composer(options);
    std::vector<Draft> drafts = composer.Compose();

    // The tutor of the second class never handed in the report on the
    // educational programme.
    int tutorReports = 0;
    std::erase_if(drafts, [&](const Draft& draft) {
        return draft.Name.ends_with("_wychowawca") && ++tutorReports == 2;
    });

    // A failing grade in art that nobody justified.
    Draft& failing = FirstWithStudents(drafts, ReportKind::Class, "Ndst");
    RowsOf(failing.Form, "Ndst").front().Detail += ", plastyka";

    // A justification for a student whose grade is not failing: a
    // distinguished student of the same class.
    Draft& justification = FirstWithStudents(drafts, ReportKind::FailJustification, "Uzasadnienia");
    const std::string className = TextOf(justification.Form, "Klasa");
    Draft& classReport = DraftNamed(drafts, className + "_klasyfikacja");
    const std::string good = RowsOf(classReport.Form, "Pasek").front().Name;
    RowsOf(justification.Form, "Uzasadnienia")
        .push_back({good, {}, {}, {"Nie opanował podstawowych wiadomości z przedmiotu."}});

    // A distinction at 4,60, below the 4,75 the distinction needs.
    Draft& distinction = FirstWithStudents(drafts, ReportKind::Class, "Pasek");
    RowsOf(distinction.Form, "Pasek").front().Average = AverageText(460);

    SampleSet set;
    for (const Draft& draft : drafts)
        set.Files.push_back(ToFile(draft));
    SortByName(set.Files);
    set.Files.push_back(SampleFile{"braki.xmp", ListOf(set.Files), {}, {}});
    SortByName(set.Files);
    return set;
}

void WriteSampleSet(const std::string& folder, const SampleSet& set) {
    MakeFolders(folder);
    for (const SampleFile& file : set.Files)
        WriteWholeFile(folder + PathSeparator + file.Name, file.Bytes, NamedBy::Program);
}

void WriteSampleSchool(const std::string& folder, const SampleSchoolOptions& options) {
    WriteSampleSet(folder, MakeSampleSchool(options));
}

} // namespace notarion
