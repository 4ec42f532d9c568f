// The terminal's command interpreter: runs when Enter is pressed.
//
// It echoes the edit line to the screen, empties it, splits the line into
// words at spaces and carries out the command named by the first three
// characters of the first word:
//
//   HLP  help on the commands          HLR  help on the edit keys
//   LST  list the ten stored lines     CLS  clear the screen
//   CLF  clear the stored lines        ADD X [DATA]  store DATA in line X
//   PHO DATE  schedule a photograph    PSI  Earth's and Mars's gravity here
//   PLM N, PIE W, PLE N  run a trajectory program
//
// Every outcome, failures included, is a message on the screen.
#ifndef OKUL_TERMINAL_COMMANDINTERPRETER_H
#define OKUL_TERMINAL_COMMANDINTERPRETER_H

class Terminal;

class CommandInterpreter {
public:
    explicit CommandInterpreter(Terminal &terminal);

    // Takes the terminal's edit line and carries it out.
    void Execute();

    // What PLM shows and stores once its program has returned `answer` for
    // `controlWord`: the answer, result lines 0 and 1 (control word >= 0) and
    // 2 (>= 1), and for control words >= 1 the two records in their stored lines.
    void ShowPlmOutcome(int controlWord, double answer);
    // The same for PLE: the answer, result lines 0 to 3 (control word >= 0)
    // and the two records (>= 1).
    void ShowPleOutcome(int controlWord, double answer);

private:
    static const int kMaxWords = 4;  // no command uses more than three words

    void SplitWords();
    const char *Word(int index) const { return index < wordCount ? words[index] : nullptr; }

    void ShowCommandHelp();
    void ShowKeyHelp();
    void ListFile();
    void AddToFile();
    void SchedulePhotograph();
    void ShowGravity();
    void RunPlm();
    void RunPie();
    void RunPle();
    // Copies a program's record into stored line fileLine (0 to 9). The
    // second record is stored last, so it stands when both lines are one.
    void StoreRecord(int fileLine, const char *record);

    Terminal &terminal;
    char line[112];  // working copy of the edit line (Terminal::kEditLineSize)
    const char *words[kMaxWords];
    int wordCount;
};

#endif  // OKUL_TERMINAL_COMMANDINTERPRETER_H
