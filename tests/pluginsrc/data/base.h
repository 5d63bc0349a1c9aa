// Amount of XP needed to gain a level
new iXPLevelShortTerm[MAX_LEVELS+1] = {0,
500,
1000,
1500,
2000,
2500,
3000,
3500,
4000,
4500,
5000
};
new iXPLevelSaved[MAX_LEVELS+1] = {400,
2400,
4800,
8000,
12000,
16800,
22400,
28800,
36000,
44000,
52800
};

// Amount of XP awarded when killing a user of this level
new iXPGivenShortTerm[MAX_LEVELS+1] = {10,
15,
20,
25,
30,
35,
40,
45,
50,
55,
60
};
new iXPGivenSaved[MAX_LEVELS+1] = {6,
8,
10,
12,
14,
16,
18,
20,
22,
24,
26
};