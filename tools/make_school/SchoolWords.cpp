#include "make_school/SchoolWords.h"

#include <algorithm>

namespace notarion::sample {
namespace {

// The names are common Polish first names and surnames, combined at random,
// so the people of the sample school are invented. Surnames that would make
// a well-known person with a first name of the pool are left out on purpose.
const std::vector<std::string>& FemaleFirstNames() {
    static const std::vector<std::string> names{
        "Agnieszka", "Alicja",  "Aleksandra", "Amelia",    "Barbara",    "Bożena", "Dorota",
        "Elżbieta",  "Ewelina", "Gabriela",   "Grażyna",   "Halina",     "Hanna",  "Iwona",
        "Jadwiga",   "Jagoda",  "Joanna",     "Jolanta",   "Julia",      "Kalina", "Katarzyna",
        "Klaudia",   "Lena",    "Łucja",      "Magdalena", "Małgorzata", "Maja",   "Marta",
        "Natalia",   "Nikola",  "Oliwia",     "Patrycja",  "Paulina",    "Renata", "Róża",
        "Sylwia",    "Teresa",  "Urszula",    "Wanda",     "Weronika",   "Zofia",  "Zuzanna",
        "Żaneta",
    };
    return names;
}

const std::vector<std::string>& MaleFirstNames() {
    static const std::vector<std::string> names{
        "Adam",     "Adrian",   "Antoni",   "Bartłomiej", "Bogusław", "Cezary",    "Dawid",
        "Dominik",  "Eryk",     "Filip",    "Franciszek", "Grzegorz", "Henryk",    "Igor",
        "Jacek",    "Jakub",    "Jarosław", "Jędrzej",    "Kacper",   "Karol",     "Konrad",
        "Leszek",   "Łukasz",   "Maciej",   "Marcin",     "Mikołaj",  "Michał",    "Miłosz",
        "Oskar",    "Patryk",   "Paweł",    "Przemysław", "Radosław", "Sebastian", "Stanisław",
        "Szymon",   "Ścibor",   "Tadeusz",  "Tomasz",     "Wiktor",   "Witold",    "Wojciech",
        "Zbigniew", "Zdzisław",
    };
    return names;
}

// Surnames in their masculine form; the feminine form is derived.
const std::vector<std::string>& Surnames() {
    static const std::vector<std::string> names{
        "Nowak",       "Wójcik",       "Kamiński",   "Zieliński",   "Szymański",   "Woźniak",
        "Dąbrowski",   "Kozłowski",    "Jankowski",  "Mazur",       "Kwiatkowski", "Krawczyk",
        "Piotrowski",  "Grabowski",    "Zając",      "Pawłowski",   "Michalski",   "Król",
        "Wieczorek",   "Jabłoński",    "Wróbel",     "Nowakowski",  "Majewski",    "Olszewski",
        "Stępień",     "Malinowski",   "Jaworski",   "Adamczyk",    "Dudek",       "Nowicki",
        "Pawlak",      "Górski",       "Witkowski",  "Walczak",     "Sikora",      "Baran",
        "Rutkowski",   "Michalak",     "Szewczyk",   "Ostrowski",   "Tomaszewski", "Pietrzak",
        "Marciniak",   "Wróblewski",   "Jakubowski", "Jasiński",    "Zawadzki",    "Sadowski",
        "Bąk",         "Chmielewski",  "Włodarczyk", "Borkowski",   "Czarnecki",   "Sawicki",
        "Sokołowski",  "Urbański",     "Kubiak",     "Maciejewski", "Szczepański", "Kucharski",
        "Kalinowski",  "Mazurek",      "Wysocki",    "Kaźmierczak", "Wasilewski",  "Sobczak",
        "Czerwiński",  "Andrzejewski", "Cieślak",    "Głowacki",    "Zakrzewski",  "Kołodziej",
        "Sikorski",    "Krajewski",    "Gajewski",   "Szulc",       "Baranowski",  "Laskowski",
        "Brzeziński",  "Makowski",     "Ziółkowski", "Przybylski",  "Łęcki",       "Śliwiński",
        "Żmuda",       "Ćwikła",       "Źrałek",     "Łysiak",      "Ślęzak",      "Żurawski",
        "Gąsiorowski", "Kędziora",     "Rogalski",   "Pęczek",      "Ćwiek",       "Łabędzki",
    };
    return names;
}

std::string FeminineSurname(const std::string& surname) {
    // Adjectival surnames change their ending; the others stay as they are.
    for (const std::string_view ending : {"ski", "cki", "dzki"}) {
        if (surname.size() > ending.size() &&
            surname.compare(surname.size() - ending.size(), ending.size(), ending) == 0)
            return surname.substr(0, surname.size() - 1) + "a";
    }
    return surname;
}

// Decode one UTF-8 character at `pos` and advance past it; malformed bytes
// are taken one at a time.
char32_t NextCodePoint(std::string_view text, std::size_t& pos) {
    const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(text[i]); };
    const unsigned char lead = byte(pos);
    std::size_t length = 1;
    char32_t value = lead;
    if (lead >= 0xC0 && lead < 0xE0) {
        length = 2;
        value = lead & 0x1Fu;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
        value = lead & 0x0Fu;
    } else if (lead >= 0xF0) {
        length = 4;
        value = lead & 0x07u;
    }
    if (length == 1 || pos + length > text.size()) {
        ++pos;
        return lead;
    }
    for (std::size_t i = 1; i < length; ++i)
        value = (value << 6) | (byte(pos + i) & 0x3Fu);
    pos += length;
    return value;
}

struct PolishLetter {
    char32_t Lower;
    char32_t Upper;
    char Plain;
};

constexpr PolishLetter PolishLetters[] = {
    {U'ą', U'Ą', 'a'}, {U'ć', U'Ć', 'c'}, {U'ę', U'Ę', 'e'}, {U'ł', U'Ł', 'l'}, {U'ń', U'Ń', 'n'},
    {U'ó', U'Ó', 'o'}, {U'ś', U'Ś', 's'}, {U'ź', U'Ź', 'z'}, {U'ż', U'Ż', 'z'},
};

// The place of a character in Polish alphabetical order, letter case aside:
// each marked letter sorts right after its plain letter (ź before ż).
int CollationRank(char32_t c) {
    if (c >= U'A' && c <= U'Z')
        c = c - U'A' + U'a';
    if (c >= U'a' && c <= U'z')
        return static_cast<int>(c - U'a') * 3 + 100;
    for (std::size_t i = 0; i < std::size(PolishLetters); ++i) {
        const PolishLetter& letter = PolishLetters[i];
        if (c == letter.Lower || c == letter.Upper) {
            // ż follows ź, which follows z.
            const int extra = (letter.Lower == U'ż') ? 2 : 1;
            return (letter.Plain - 'a') * 3 + 100 + extra;
        }
    }
    return static_cast<int>(c < 100 ? c : c + 1000);
}

} // namespace

Random::Random(std::uint64_t seed) : m_state(seed ^ 0x5DEECE66DULL) {}

std::uint64_t Random::Next() {
    // SplitMix64: good spread from any seed, identical on every platform.
    m_state += 0x9E3779B97F4A7C15ULL;
    std::uint64_t z = m_state;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

int Random::Below(int count) {
    if (count <= 0)
        return 0;
    return static_cast<int>(Next() % static_cast<std::uint64_t>(count));
}

int Random::Between(int low, int high) {
    if (high < low)
        return low;
    return low + Below(high - low + 1);
}

Person PeopleFactory::Make() {
    static const char* const numerals[] = {"II", "III", "IV", "V", "VI", "VII", "VIII", "IX"};
    for (int attempt = 0;; ++attempt) {
        const bool female = m_random.Below(2) == 0;
        Person person{female ? m_random.Pick(FemaleFirstNames()) : m_random.Pick(MaleFirstNames()),
                      m_random.Pick(Surnames())};
        if (female)
            person.Last = FeminineSurname(person.Last);
        // The pools give some eighty thousand names; a very large school may
        // run short of fresh ones, and then a numeral keeps names apart.
        if (attempt > 200)
            person.Last += std::string(" ") + numerals[(attempt / 200 - 1) % 8];
        const std::string full = person.FullName();
        if (m_given.insert(full).second)
            return person;
    }
}

int ComparePolish(std::string_view a, std::string_view b) {
    std::size_t i = 0;
    std::size_t j = 0;
    while (i < a.size() && j < b.size()) {
        const int ra = CollationRank(NextCodePoint(a, i));
        const int rb = CollationRank(NextCodePoint(b, j));
        if (ra != rb)
            return ra < rb ? -1 : 1;
    }
    if (i < a.size())
        return 1;
    if (j < b.size())
        return -1;
    return a.compare(b);
}

void SortPolish(std::vector<Person>& people) {
    std::stable_sort(people.begin(), people.end(), [](const Person& x, const Person& y) {
        const int bySurname = ComparePolish(x.Last, y.Last);
        return bySurname != 0 ? bySurname < 0 : ComparePolish(x.First, y.First) < 0;
    });
}

std::string Slug(std::string_view text) {
    std::string out;
    std::size_t pos = 0;
    while (pos < text.size()) {
        const char32_t c = NextCodePoint(text, pos);
        char plain = 0;
        if ((c >= U'a' && c <= U'z') || (c >= U'0' && c <= U'9') || c == U'-')
            plain = static_cast<char>(c);
        else if (c >= U'A' && c <= U'Z')
            plain = static_cast<char>(c - U'A' + U'a');
        for (const PolishLetter& letter : PolishLetters) {
            if (c == letter.Lower || c == letter.Upper)
                plain = letter.Plain;
        }
        if (plain != 0)
            out += plain;
        else if (!out.empty() && out.back() != '_')
            out += '_';
    }
    while (!out.empty() && out.back() == '_')
        out.pop_back();
    return out;
}

std::string FillIn(std::string_view pattern, std::string_view subject, std::string_view className) {
    std::string out;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        if (pattern.compare(i, 3, "{p}") == 0) {
            out += subject;
            i += 2;
        } else if (pattern.compare(i, 3, "{k}") == 0) {
            out += className;
            i += 2;
        } else {
            out += pattern[i];
        }
    }
    return out;
}

const std::vector<std::string>& SubjectGeneralLines() {
    static const std::vector<std::string> lines{
        "Program nauczania przedmiotu „{p}” został zrealizowany w całości.",
        "Podstawa programowa została zrealizowana zgodnie z planem wynikowym.",
        "Zrealizowano wszystkie działy przewidziane w rozkładzie materiału; ostatni dział "
        "omówiono skrótowo z powodu skróconych lekcji w czerwcu.",
        "Uczniowie pracowali z podręcznikiem, kartami pracy i tablicą interaktywną.",
        "Na początku i na końcu roku przeprowadzono sprawdziany diagnozujące.",
        "Zaległości powstałe w czasie nieobecności nauczyciela w listopadzie nadrobiono do "
        "końca stycznia.",
        "Wyniki sprawdzianów końcowych: średnia 3,61, najsłabiej wypadły zadania otwarte.",
        "Oceny ustalano zgodnie z przedmiotowymi zasadami oceniania znanymi uczniom i rodzicom.",
    };
    return lines;
}

const std::vector<std::string>& SubjectSuccessLines() {
    static const std::vector<std::string> lines{
        "Dwoje uczniów zakwalifikowało się do etapu rejonowego konkursu przedmiotowego.",
        "Wyraźna poprawa wyników sprawdzianów w porównaniu z pierwszym półroczem.",
        "Problemem pozostaje niesystematyczne odrabianie prac domowych przez część uczniów.",
        "Część uczniów ma trudności z czytaniem poleceń ze zrozumieniem.",
        "Uczennica klasy {k} zajęła trzecie miejsce w konkursie wojewódzkim.",
        "Uczniowie chętnie pracowali w grupach przy projektach „Nauka w terenie”.",
    };
    return lines;
}

const std::vector<std::string>& SubjectConclusionLines() {
    static const std::vector<std::string> lines{
        "W przyszłym roku zwiększyć liczbę ćwiczeń utrwalających przed sprawdzianami.",
        "Kontynuować zajęcia wyrównawcze dla uczniów mających trudności w nauce.",
        "Częściej stosować ocenianie kształtujące i samoocenę uczniów.",
        "Zacieśnić współpracę z rodzicami uczniów zagrożonych oceną niedostateczną.",
        "Zakupić do pracowni zestawy pomocy dydaktycznych do doświadczeń uczniowskich.",
    };
    return lines;
}

const std::vector<std::string>& TutorGeneralLines() {
    static const std::vector<std::string> lines{
        "Program wychowawczy klasy {k} został zrealizowany zgodnie z planem pracy wychowawcy.",
        "Na godzinach wychowawczych omówiono bezpieczeństwo w sieci, asertywność i zdrowy styl "
        "życia.",
        "Odbyły się cztery zebrania z rodzicami i dwa dni otwarte szkoły.",
        "Klasa uczestniczyła w dwudniowej wycieczce do Torunia i Chełmna.",
        "Zespół klasowy jest zgrany, uczniowie chętnie pomagają sobie nawzajem.",
        "Przeprowadzono zajęcia integracyjne z udziałem pedagoga szkolnego.",
    };
    return lines;
}

const std::vector<std::string>& TutorSuccessLines() {
    static const std::vector<std::string> lines{
        "Klasa zajęła pierwsze miejsce w szkolnej zbiórce makulatury.",
        "Trudności sprawia punktualność części uczniów; spóźnienia na pierwszą lekcję są "
        "częste.",
        "Frekwencja klasy wyniosła 93%, w drugim półroczu wzrosła o 2 punkty.",
        "Uczniowie przygotowali akademię z okazji Święta Niepodległości.",
        "Konflikt w grupie dziewcząt rozwiązano przy pomocy mediacji rówieśniczej.",
    };
    return lines;
}

const std::vector<std::string>& TutorConclusionLines() {
    static const std::vector<std::string> lines{
        "Kontynuować współpracę z pedagogiem i psychologiem szkolnym.",
        "Zorganizować warsztaty z komunikacji bez przemocy.",
        "Systematycznie kontrolować usprawiedliwianie nieobecności.",
        "Włączyć rodziców w organizację wycieczek i uroczystości klasowych.",
    };
    return lines;
}

const std::vector<std::string>& ActivityGeneralLines() {
    static const std::vector<std::string> lines{
        "Zajęcia odbywały się raz w tygodniu po lekcjach; uczestniczyło w nich średnio 14 "
        "uczniów.",
        "Zrealizowano program zajęć w wymiarze 30 godzin.",
        "Uczestnicy pracowali w dwóch grupach wiekowych.",
        "Część spotkań odbyła się w terenie, za zgodą rodziców.",
        "Zajęcia finansowano z budżetu szkoły & środków rady rodziców.",
    };
    return lines;
}

const std::vector<std::string>& ActivitySuccessLines() {
    static const std::vector<std::string> lines{
        "Występ podczas festynu rodzinnego w czerwcu spotkał się z bardzo dobrym przyjęciem.",
        "Zdobyto wyróżnienie w powiatowym przeglądzie „Młode Talenty”.",
        "Liczba uczestników spadła w drugim półroczu z 18 do 11 osób.",
        "Brak sali w piątki utrudniał regularne spotkania.",
    };
    return lines;
}

const std::vector<std::string>& ActivityConclusionLines() {
    static const std::vector<std::string> lines{
        "Kontynuować zajęcia w przyszłym roku szkolnym.",
        "Zachęcić do udziału uczniów klas pierwszych.",
        "Ustalić stały termin zajęć w planie lekcji.",
    };
    return lines;
}

const std::vector<std::string>& CardHoursLines() {
    static const std::vector<std::string> lines{
        "Zrealizowano 38 godzin zajęć z uczniami przygotowującymi się do konkursów.",
        "Konsultacje dla maturzystów prowadzono w każdy wtorek po siódmej lekcji.",
        "Opieka nad samorządem uczniowskim – 20 godzin.",
        "Dyżury w bibliotece szkolnej w czasie ferii zimowych – 12 godzin.",
        "Zajęcia dydaktyczno-wyrównawcze dla uczniów klas pierwszych – 24 godziny.",
        "Udział w organizacji Dnia Otwartego Szkoły i Festiwalu Nauki.",
    };
    return lines;
}

const std::vector<std::string>& OtherInfoLines() {
    static const std::vector<std::string> lines{
        "Sprawozdanie przedstawiono zespołowi nauczycieli w maju.",
        "UWAGA: ZMIANA TERMINÓW ZAJĘĆ ŚWIETLICOWYCH OD PAŹDZIERNIKA – ŁĄCZNIE DWIE GRUPY, "
        "ŻYWIENIE BEZ ZMIAN, KOŃCOWE ROZLICZENIE W CZERWCU.",
        "Z pomocy skorzystało 46 uczniów, w tym 12 uczniów klas pierwszych.",
        "Zakupiono 120 nowych książek i zestaw gier dydaktycznych.",
        "Współpraca z poradnią psychologiczno-pedagogiczną przebiegała bez zakłóceń.",
        "Wnioski przekazano dyrekcji szkoły w formie pisemnej.",
    };
    return lines;
}

const std::vector<std::string>& LoweredBehaviourLines() {
    static const std::vector<std::string> lines{
        "Liczne spóźnienia i 43 godziny nieusprawiedliwionej nieobecności.",
        "Niewłaściwe zachowanie wobec kolegów, dwie uwagi wpisane do dziennika.",
        "Nieprzestrzeganie zakazu używania telefonu komórkowego na lekcjach.",
        "Udział w bójce na przerwie 14 marca; rozmowa z rodzicami i pedagogiem.",
        "Niszczenie mienia szkolnego – uszkodzona ławka w sali 12.",
        "Wulgarne słownictwo wobec pracownika obsługi szkoły.",
    };
    return lines;
}

const std::vector<std::string>& RemarkLines() {
    static const std::vector<std::string> lines{
        "Klasa zachowuje się poprawnie, nie odnotowano poważnych incydentów.",
        "Zachowanie uczniów na wycieczce klasowej bez zastrzeżeń.",
        "Dwie osoby objęte są opieką pedagoga szkolnego.",
        "Frekwencja klasy < 90% w miesiącach zimowych – omówiono to z rodzicami.",
        "Oceny zachowania ustalono po zasięgnięciu opinii zespołu klasowego.",
    };
    return lines;
}

const std::vector<std::string>& FailLinesOneStudent() {
    static const std::vector<std::string> lines{
        "Uczeń nie opanował podstawowych wiadomości i umiejętności z przedmiotu „{p}”.",
        "Na 12 sprawdzianów tylko jeden napisał na ocenę pozytywną.",
        "Nie korzystał z proponowanych zajęć wyrównawczych ani z konsultacji.",
        "Nie poprawił ocen niedostatecznych z pierwszego półrocza mimo wyznaczonych terminów.",
        "Opuścił 40% zajęć z przedmiotu, w większości bez usprawiedliwienia.",
    };
    return lines;
}

const std::vector<std::string>& FailLinesTwoStudents() {
    static const std::vector<std::string> lines{
        "Uczniowie nie opanowali podstawowych wiadomości i umiejętności z przedmiotu „{p}”.",
        "Nie zgłaszali się na poprawy sprawdzianów ani na konsultacje.",
        "Rodzice zostali powiadomieni o zagrożeniu oceną niedostateczną w terminie.",
    };
    return lines;
}

const std::vector<std::string>& SupervisionLines() {
    static const std::vector<std::string> lines{
        "Przeprowadzono 24 obserwacje lekcji, w tym 6 obserwacji diagnozujących.",
        "Ewaluacja wewnętrzna dotyczyła oceniania kształtującego; raport przedstawiono radzie "
        "w czerwcu.",
        "Skontrolowano dzienniki lekcyjne i dokumentację zajęć pozalekcyjnych.",
        "Wniosek: w przyszłym roku objąć wspomaganiem nauczycieli rozpoczynających pracę.",
    };
    return lines;
}

const std::vector<Subject>& Subjects() {
    static const std::vector<Subject> subjects{
        {"język polski", true},    {"matematyka", true},   {"język angielski", true},
        {"język niemiecki", true}, {"historia", true},     {"wiedza o społeczeństwie", false},
        {"geografia", false},      {"biologia", true},     {"chemia", true},
        {"fizyka", true},          {"informatyka", false}, {"wychowanie fizyczne", false},
    };
    return subjects;
}

const std::vector<Activity>& Activities() {
    static const std::vector<Activity> activities{
        {"Szkolne Koło Krajoznawczo-Turystyczne \"Wędrowiec\"", "kolo_turystyczne"},
        {"Teatr & Ruch – zajęcia artystyczne", "teatr_i_ruch"},
        {"Chór szkolny „Skowronki”", "chor"},
        {"Koło matematyczne dla klas pierwszych", "kolo_matematyczne"},
        {"Szkolny Klub Sportowy – piłka ręczna dziewcząt", "sks_pilka_reczna"},
        {"Koło chemiczne „Próbówka”", "kolo_chemiczne"},
        {"Zajęcia wyrównawcze z języka polskiego", "wyrownawcze_polski"},
        {"Koło fotograficzne „Migawka”", "kolo_fotograficzne"},
        {"Szkolne Koło Wolontariatu", "wolontariat"},
        {"Koło szachowe", "szachy"},
        {"Przygotowanie do matury z geografii", "matura_geografia"},
        {"Zespół wokalno-instrumentalny", "zespol_muzyczny"},
    };
    return activities;
}

const std::vector<InfoTopic>& InfoTopics() {
    static const std::vector<InfoTopic> topics{
        {"Pracy biblioteki szkolnej", "biblioteka"},
        {"Działalności samorządu uczniowskiego, w tym organizacji dnia sportu, dyskoteki "
         "szkolnej i zbiórek charytatywnych",
         "samorzad"},
        {"Stanu bezpieczeństwa w budynku szkoły i wyników próbnej ewakuacji przeprowadzonej "
         "we wrześniu i w kwietniu",
         "bezpieczenstwo"},
        {"Pracy świetlicy szkolnej", "swietlica"},
        {"Pomocy psychologiczno-pedagogicznej udzielonej uczniom z opiniami i orzeczeniami "
         "poradni",
         "pomoc_psychologiczna"},
        {"Dożywiania uczniów i pomocy materialnej", "dozywianie"},
    };
    return topics;
}

const std::vector<std::string>& LoweredGrades() {
    static const std::vector<std::string> grades{"poprawne", "nieodpowiednie", "naganne"};
    return grades;
}

} // namespace notarion::sample
