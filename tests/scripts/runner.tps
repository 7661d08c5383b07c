// The runner: statements run in order; a name refers to the latest statement of that
// name that has already run; exit ends the run.
// expect run: false
a=1 // expect: 1
b=a+1 // expect: 2
a=10 // expect: 10
c=a+b // expect: 12
Status2="x" // expect: x
Status2=Status2+"y" // expect: xy
s="a//b" // comment // expect: a//b
t="p=q" // expect: p=q
q="say ""hi""" // expect: say "hi"
e="" // expect: 
e2=e+"" // expect: 
open="unclosed // expect: unclosed // expect: 
n=1 2 // expect: Error
y=z // expect: Error
// expect diagnostic:  не найдено значение z
later=soon // expect: Error
// expect diagnostic:  не найдено значение soon
soon=1 // expect: 1
3+4
blank=    // expect: Error
status="lower" // expect: lower
final=Status2+status // expect: xylower
x=exit
after=2 // expect: 
